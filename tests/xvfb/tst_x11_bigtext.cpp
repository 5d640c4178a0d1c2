// Exercise 1 typed to its end at 200 % text size on a 1024 × 600 screen,
// real keys through the French layout: the frame, the guide band and the
// end of the lesson stay on the screen, and the lesson area keeps the caret
// and the model's next letters in sight while the window is larger than it.
#include "app/forms.h"
#include "app/tmainform.h"
#include "drills/exercisetexts.h"
#include "drills/texos.h"
#include "guide/guideband.h"
#include "keymodel/keymodel.h"
#include "support/testsupport.h"
#include "ui/hooklineedit.h"

#include <QMdiArea>
#include <QScreen>
#include <QtTest>
#include <QtWidgets>

#include <memory>

namespace {

QStringList keysOf(const QString &text)
{
    QStringList keys;
    for (QChar ch : text)
        keys << (ch == QLatin1Char(' ') ? u"space"_qs : QString(ch));
    return keys;
}

// Where a widget is on the screen, in the frame's logical pixels.
QRect onScreen(const QWidget *w, QRect part)
{
    return QRect(w->mapToGlobal(part.topLeft()), part.size());
}

// Visible widgets of the window that are cut by the screen's edges.
QStringList outOfScreen(QWidget *top, const QRect &screen)
{
    QStringList out;
    for (QWidget *w : top->findChildren<QWidget *>())
        if (w->isVisible() && !w->isWindow() && !screen.contains(onScreen(w, w->rect())))
            out << w->objectName() + QLatin1Char('/') + QLatin1String(w->metaObject()->className());
    return out;
}

} // namespace

class TestX11BigText : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void exerciseOneAtDoubleSize();

private:
    QTemporaryDir m_home;
    std::unique_ptr<test::TempCwd> m_cwd;
    std::unique_ptr<test::PrompterScope> m_prompts;
};

void TestX11BigText::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server (run through scripts/xvfb.sh --screen 1024x600)");
    QCOMPARE(QGuiApplication::primaryScreen()->size(), QSize(1024, 600));
    QVERIFY(m_home.isValid());
    qputenv("HOME", m_home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toUtf8());
    m_cwd = std::make_unique<test::TempCwd>();
    m_prompts = std::make_unique<test::PrompterScope>();
    test::startProgram();
    TMainForm *frame = forms().MainForm;
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    QTRY_VERIFY(frame->windowState() & Qt::WindowMaximized);
    // Without a window manager, the maximized frame is placed by hand.
    frame->setGeometry(frame->screen()->availableGeometry());
    QTRY_VERIFY(frame->guideBand());
}

void TestX11BigText::cleanupTestCase()
{
    test::stopProgram();
    m_prompts.reset();
    m_cwd.reset();
}

void TestX11BigText::exerciseOneAtDoubleSize()
{
    TMainForm *frame = forms().MainForm;
    TExos *exos = forms().Exos;
    const QSize at100 = exos->parentWidget()->size();
    frame->action(QStringLiteral("Taille200"))->trigger();
    QCOMPARE(frame->textZoom(), 200);
    frame->action(QStringLiteral("N1gh1"))->trigger();
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    QTRY_COMPARE(QApplication::focusWidget(), exos->Edit2());
    QTRY_VERIFY(frame->guideBand()->isVisible());

    const QRect screen = frame->screen()->geometry();
    QWidget *view = frame->mdiArea->viewport();
    const QRect seen = onScreen(view, view->rect());
    QVERIFY(screen.contains(frame->frameGeometry()));
    QVERIFY(screen.contains(seen));
    QVERIFY2(outOfScreen(frame->guideBand(), screen).isEmpty(),
             qPrintable(outOfScreen(frame->guideBand(), screen).join(u", "_qs)));
    // At this size the window is larger than the lesson area: it scrolls.
    QVERIFY(exos->parentWidget()->width() > view->width());

    int total = 0;
    for (int line = 0; line < 3; ++line) {
        const QString text = QString::fromUtf8(drills::exerciseText(1)->models[line]);
        QLineEdit *model = exos->modelLine(line);
        ui::HookLineEdit *typing = exos->typingLine(line);
        // A few words at a time, and where the caret stands then.
        for (qsizetype done = 0; done < text.size();) {
            const qsizetype next = qMin(text.size(), done + 12);
            QVERIFY(test::sendKeys(QStringList{u"key"_qs, u"--delay"_qs, u"15"_qs} + keysOf(text.mid(done, next - done))));
            done = next;
            QTRY_COMPARE(typing->text(), text.left(done));
            if (done == text.size())
                break;
            QTRY_VERIFY(QApplication::focusWidget() == typing);
            const QRect caret = onScreen(typing, typing->inputMethodQuery(Qt::ImCursorRectangle).toRect());
            QTRY_VERIFY2(seen.contains(onScreen(typing, typing->inputMethodQuery(Qt::ImCursorRectangle).toRect())),
                         qPrintable(u"line %1, letter %2: the caret is out of sight"_qs.arg(line).arg(done)));
            // The model's next letter, right above the caret.
            const QPoint above = model->mapToGlobal(QPoint(typing->mapFromGlobal(caret.center()).x(),
                                                           model->height() / 2));
            QVERIFY2(seen.contains(above), qPrintable(u"line %1, letter %2: the model is out of sight"_qs.arg(line).arg(done)));
        }
        total += int(text.size());
    }
    QCOMPARE(exos->Label2->text(), QStringLiteral("Bon : %1     Erreurs : 0").arg(total));
    QVERIFY(screen.contains(frame->frameGeometry()));
    QVERIFY2(outOfScreen(frame->guideBand(), screen).isEmpty(),
             qPrintable(outOfScreen(frame->guideBand(), screen).join(u", "_qs)));
    frame->action(QStringLiteral("Taille100"))->trigger();
    QCOMPARE(exos->parentWidget()->size(), at100);
}

QTEST_MAIN(TestX11BigText)
#include "tst_x11_bigtext.moc"
