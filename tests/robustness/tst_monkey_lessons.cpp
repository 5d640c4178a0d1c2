// Monkey test of the seven lesson windows: thousands of random keys, dead-key
// commits and clicks in the running program. Nothing crashes, the counts
// never go negative, the lesson chosen stays chosen; in the drills every
// judged character is either good or an error and a typing line only holds
// characters of its model line; in the spreadsheet the counts only grow.
#include "monkey.h"
#include "support/testsupport.h"

#include "app/forms.h"
#include "app/lessontable.h"
#include "app/tmainform.h"
#include "drills/drillwindow.h"
#include "drills/texos.h"
#include "drills/tjeu.h"
#include "drills/tphrases.h"
#include "drills/ttexte.h"
#include "keyboard/tclavier.h"
#include "office/stringgrid.h"
#include "office/tsaisie.h"
#include "office/ttableur.h"
#include "ui/hooklineedit.h"
#include "ui/keycodes.h"

#include <QClipboard>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

namespace {
constexpr int kEvents = 4500;

LessonWindow *lessonOf(const QString &name)
{
    for (const LessonDef &row : lessonTable())
        if (LessonWindow *w = lessonWindow(row);
            QLatin1String(w->metaObject()->className()) == QLatin1Char('T') + name)
            return w;
    return nullptr;
}
} // namespace

class TestMonkeyLessons : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void monkey_data();
    void monkey();

private:
    std::unique_ptr<test::TempCwd> m_cwd;
    std::unique_ptr<test::PrompterScope> m_prompter;
};

void TestMonkeyLessons::init()
{
    m_cwd = std::make_unique<test::TempCwd>();
    m_prompter = std::make_unique<test::PrompterScope>();
    test::startProgram();
    // Something to paste: Ctrl+V must never slip it past the judging.
    QApplication::clipboard()->setText(QString::fromUtf8("zq Ω\té\nxyz"));
    forms().MainForm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(forms().MainForm));
}

void TestMonkeyLessons::cleanup()
{
    test::stopProgram();
    m_prompter.reset();
    m_cwd.reset();
}

void TestMonkeyLessons::monkey_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("code");
    QTest::addColumn<quint32>("seed");
    QTest::newRow("TClavier discovery") << "Clavier" << 0 << 11u;
    QTest::newRow("TClavier key drill") << "Clavier" << 1 << 12u;
    QTest::newRow("TExos 1") << "Exos" << 1 << 21u;
    QTest::newRow("TExos 18") << "Exos" << 18 << 22u;
    QTest::newRow("TPhrases 1") << "Phrases" << 1 << 31u;
    QTest::newRow("TPhrases 5") << "Phrases" << 5 << 32u;
    QTest::newRow("TTexte 1") << "Texte" << 1 << 41u;
    QTest::newRow("TTexte 7") << "Texte" << 7 << 42u;
    QTest::newRow("TTexte 4, empty clipboard") << "Texte" << 4 << 43u;
    QTest::newRow("TJeu letters") << "Jeu" << 1 << 51u;
    QTest::newRow("TJeu words") << "Jeu" << 2 << 52u;
    QTest::newRow("TTableur budget") << "Tableur" << 2 << 61u;
    QTest::newRow("TTableur tarifs") << "Tableur" << 4 << 62u;
    QTest::newRow("TSaisie bases") << "Saisie" << 1 << 71u;
    QTest::newRow("TSaisie stock") << "Saisie" << 3 << 72u;
}

void TestMonkeyLessons::monkey()
{
    QFETCH(QString, window);
    QFETCH(int, code);
    QFETCH(quint32, seed);
    LessonWindow *w = lessonOf(window);
    QVERIFY(w);
    if (QByteArray(QTest::currentDataTag()).endsWith("empty clipboard")) {
        QApplication::clipboard()->clear(QClipboard::Clipboard);
        QApplication::clipboard()->clear(QClipboard::Selection);
    }
    TMainForm *frame = forms().MainForm;
    w->SetIni(code);
    frame->showLesson(w);
    w->setFocus();
    auto *drillWindow = qobject_cast<DrillWindow *>(w);
    if (drillWindow)
        drillWindow->Edit2()->setFocus();
    if (auto *game = qobject_cast<TJeu *>(w))
        game->Button1Click();

    // Every judged character of a drill moves good + errors by exactly one.
    QString judgeFault;
    qint64 judged = 0;
    if (drillWindow) {
        for (int line = 0; line < 3; ++line) {
            ui::HookLineEdit *typing = drillWindow->typingLine(line);
            typing->keyPressHook = [hook = typing->keyPressHook, w, &judgeFault, &judged](quint8 key) {
                const qint64 before = qint64(w->good()) + w->errors();
                const bool in = hook(key);
                const qint64 after = qint64(w->good()) + w->errors();
                ++judged;
                if (after != before + 1 && judgeFault.isEmpty())
                    judgeFault = QStringLiteral("key %1 moved good + errors from %2 to %3")
                                     .arg(key)
                                     .arg(before)
                                     .arg(after);
                return in;
            };
        }
    }

    const bool growing = qobject_cast<TTableur *>(w);
    std::int32_t lastGood = w->good();
    std::int32_t lastErrors = w->errors();
    monkey::Monkey m(w, monkey::seed(seed));
    m.revive = [&] {
        if (!w->isVisible() || frame->activeLesson() != w)
            frame->showLesson(w);
        // Tab out of the last field goes on to the frame, F1 opens the help
        // window: the learner comes back to the lesson.
        QWidget *focus = QApplication::focusWidget();
        if (!focus || !(focus == w || w->isAncestorOf(focus))) {
            if (!frame->isActiveWindow()) {
                frame->activateWindow();
                QCoreApplication::processEvents();
            }
            (w->focusWidget() ? w->focusWidget() : w)->setFocus(Qt::MouseFocusReason);
        }
    };
    m.tick = [&] {
        if (w->Timer1->isActive())
            w->Timer1Timer();
        if (auto *game = qobject_cast<TJeu *>(w); game && game->Timer2->isActive())
            game->Timer2Timer();
    };
    if (drillWindow) {
        m.hint = [drillWindow]() -> QString {
            for (int line = 0; line < 3; ++line) {
                ui::HookLineEdit *typing = drillWindow->typingLine(line);
                if (typing->hasFocus())
                    return drillWindow->modelLine(line)->text().mid(typing->cursorPosition(), 1);
            }
            return {};
        };
    }
    if (auto *sheet = qobject_cast<TTableur *>(w)) {
        // The model cell's next character, and Tab once the cell is whole.
        m.hint = [sheet]() -> QString {
            QLineEdit *editor = sheet->StringGrid2()->cellEditor();
            if (!editor || !editor->hasFocus())
                return {};
            const QString model = sheet->StringGrid1()->cell(sheet->StringGrid2()->current());
            const QString typed = editor->text();
            if (!model.startsWith(typed))
                return QStringLiteral("\b");
            return typed.size() < model.size() ? model.mid(typed.size(), 1) : QStringLiteral("\t");
        };
    }
    if (auto *text = qobject_cast<TTexte *>(w)) {
        // The model line's next character, Enter once the line is whole.
        m.hint = [text]() -> QString {
            if (!text->RichEdit2()->hasFocus())
                return {};
            const int line = text->RichEdit2()->textCursor().blockNumber();
            const QString model = text->modelLine(line);
            const QString typed = text->typedLine(line);
            if (!model.startsWith(typed))
                return QStringLiteral("\b");
            return typed.size() < model.size() ? model.mid(typed.size(), 1) : QStringLiteral("\r");
        };
    }
    if (auto *form = qobject_cast<TSaisie *>(w)) {
        // The model field's next character, Tab once the field is whole,
        // Page Down after the last field.
        m.hint = [form]() -> QString {
            QLineEdit *models[] = {form->Edit1(), form->Edit2(), form->Edit3(), form->Edit4(), form->Edit5()};
            QLineEdit *entries[] = {form->Edit6(), form->Edit7(), form->Edit8(), form->Edit9(), form->Edit10()};
            for (int k = 0; k < 5; ++k) {
                if (!entries[k]->hasFocus())
                    continue;
                const QString model = models[k]->text();
                const QString typed = entries[k]->text();
                if (!model.startsWith(typed))
                    return QStringLiteral("\b");
                if (typed.size() < model.size())
                    return model.mid(typed.size(), 1);
                return k == 4 ? QString(monkey::kPageDown) : QStringLiteral("\t");
            }
            return {};
        };
    }
    if (auto *game = qobject_cast<TJeu *>(w)) {
        // A letter of a falling item.
        m.hint = [game]() -> QString {
            for (const GameLogic::Drawing &d : game->logic().screen())
                if (!d.text.trimmed().isEmpty())
                    return d.text.trimmed().left(1);
            return {};
        };
    }
    if (auto *keyboard = qobject_cast<TClavier *>(w); keyboard && code == 1) {
        // The key the drill asks for, found among the monkey's keys.
        // Drawn from the test's seed rather than the clock.
        keyboard->drill().reseed(monkey::seed(seed));
        keyboard->Tirage1();
        m.hintKey = [keyboard]() -> std::optional<monkey::Key> {
            for (const monkey::Key &k : monkey::specialKeys()) {
                QKeyEvent e(QEvent::KeyPress, k.key, k.modifiers, QString::fromUtf8(k.text));
                if (ui::virtualKeyOf(&e) == keyboard->drill().target())
                    return k;
            }
            return std::nullopt;
        };
    }
    m.check = [&]() -> QString {
        if (!judgeFault.isEmpty())
            return judgeFault;
        if (w->good() < 0 || w->errors() < 0 || w->seconds() < 0)
            return QStringLiteral("negative counts %1 %2 %3")
                .arg(w->good())
                .arg(w->errors())
                .arg(w->seconds());
        if (w->GetIni() != code)
            return QStringLiteral("lesson changed to %1").arg(w->GetIni());
        if (growing && (w->good() < lastGood || w->errors() < lastErrors))
            return QStringLiteral("counts went back from %1/%2 to %3/%4")
                .arg(lastGood)
                .arg(lastErrors)
                .arg(w->good())
                .arg(w->errors());
        lastGood = w->good();
        lastErrors = w->errors();
        if (drillWindow) {
            for (int line = 0; line < 3; ++line) {
                const QString model = drillWindow->modelLine(line)->text();
                const QString typed = drillWindow->typingLine(line)->text();
                for (QChar c : typed)
                    if (!model.contains(c))
                        return QStringLiteral("line %1 holds \"%2\" for \"%3\"").arg(line).arg(typed, model);
            }
        }
        return {};
    };
    const QString broken = m.run(monkey::events(kEvents));
    QVERIFY2(broken.isEmpty(), qPrintable(broken));
    qInfo("good %d errors %d seconds %d judged %lld", w->good(), w->errors(), w->seconds(), judged);
    if (drillWindow)
        QVERIFY(judged > monkey::events(kEvents) / 10); // the keys did reach the typing lines
}

QTEST_MAIN(TestMonkeyLessons)
#include "tst_monkey_lessons.moc"
