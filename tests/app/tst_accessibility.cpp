// Every window and control of the running program is read by a screen reader
// with a French name; labels showing lesson text are read by that text.
#include "app/forms.h"
#include "app/tmainform.h"
#include "classe/dialogueclasse.h"
#include "drills/texos.h"
#include "office/tsaisie.h"
#include "progress/tapprenants.h"
#include "support/testsupport.h"
#include "ui/accessibility.h"
#include "ui/deferreddialog.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

class TestAccessibility : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void everyControlHasAFrenchName_data();
    void everyControlHasAFrenchName();
    void namedWidgets_data();
    void namedWidgets();
    void lessonLabelsAreReadByTheirText_data();
    void lessonLabelsAreReadByTheirText();
    void saisieFieldsFollowTheirLabels();
    void menuItemsHaveNames();
    void namingLeavesTextsAndGeometryAlone();
    void namingPassCost();

private:
    std::unique_ptr<test::TempCwd> m_cwd;
    std::unique_ptr<test::PrompterScope> m_prompts;
};

namespace {

QString accessibleText(QWidget *w, QAccessible::Text kind)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(kind) : QString();
}

bool isProgramWindow(const QWidget *w)
{
    // The class's own name, without its namespace (classe::DialogueClasse).
    return w->objectName() ==
           QString::fromLatin1(w->metaObject()->className()).section(QStringLiteral("::"), -1);
}

QWidget *programWindowOf(QWidget *w)
{
    while (w && !isProgramWindow(w))
        w = w->parentWidget();
    return w;
}

bool canTakeFocusOrClick(const QWidget *w)
{
    if (qobject_cast<const QScrollBar *>(w))
        return false;
    return qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QLineEdit *>(w) ||
           qobject_cast<const QTextEdit *>(w) || qobject_cast<const QPlainTextEdit *>(w) ||
           qobject_cast<const QAbstractItemView *>(w) || qobject_cast<const QComboBox *>(w) ||
           qobject_cast<const QAbstractSpinBox *>(w) || qobject_cast<const QSlider *>(w) ||
           qobject_cast<const QMdiSubWindow *>(w);
}

QWidget *programWindow(const QString &name)
{
    QWidget *frame = forms().MainForm;
    // Windows that build their controls on first need build them here, as
    // their first showing would.
    ui::buildEveryControl(frame);
    if (name == QLatin1String("TMainForm"))
        return frame;
    if (QWidget *w = frame->findChild<QWidget *>(name))
        return w;
    // The learners' windows are built when asked for, and named then.
    QWidget *w = nullptr;
    if (name == QLatin1String("TApprenants"))
        w = new TApprenants(frame);
    else if (name == QLatin1String("DialogueClasse"))
        w = new classe::DialogueClasse(frame);
    else if (name == QLatin1String("QuiApprend")) {
        QList<progress::Learner> learners(2);
        learners[0].id = 1;
        learners[0].name = QStringLiteral("Léa");
        learners[1].id = 2;
        learners[1].name = QStringLiteral("Lucas");
        w = new QuiApprend(learners, frame);
    }
    if (w)
        ui::applyAccessibleTexts(w, ui::accessibleTexts());
    return w;
}

const QStringList kWindows = {
    QStringLiteral("TMainForm"),   QStringLiteral("TClavier"),   QStringLiteral("TExos"),
    QStringLiteral("TAboutBox"),   QStringLiteral("TBlocnotes"), QStringLiteral("TCalendrier"),
    QStringLiteral("THorloge"),    QStringLiteral("TPocket"),    QStringLiteral("TPhrases"),
    QStringLiteral("TTexte"),      QStringLiteral("TCaract"),    QStringLiteral("TJeu"),
    QStringLiteral("TStats"),      QStringLiteral("TTableur"),   QStringLiteral("TSaisie"),
    QStringLiteral("TApprenants"), QStringLiteral("QuiApprend"), QStringLiteral("DialogueClasse"),
};

} // namespace

void TestAccessibility::initTestCase()
{
    m_cwd = std::make_unique<test::TempCwd>();
    m_prompts = std::make_unique<test::PrompterScope>();
    test::startProgram();
}

void TestAccessibility::cleanupTestCase()
{
    test::stopProgram();
    m_prompts.reset();
    m_cwd.reset();
}

void TestAccessibility::everyControlHasAFrenchName_data()
{
    QTest::addColumn<QString>("window");
    for (const QString &name : kWindows)
        QTest::newRow(qPrintable(name)) << name;
}

void TestAccessibility::everyControlHasAFrenchName()
{
    QFETCH(QString, window);
    QWidget *form = programWindow(window);
    QVERIFY(form);
    QVERIFY(!accessibleText(form, QAccessible::Name).isEmpty());
    // Captions and abbreviations of the design that a screen reader must not
    // read as they are.
    static const QStringList english = {
        QStringLiteral("Set"),       QStringLiteral("Esc"),  QStringLiteral("Enter"), QStringLiteral("Break"),
        QStringLiteral("PtrS"),      QStringLiteral("Ins"),  QStringLiteral("Hom"),   QStringLiteral("Del"),
        QStringLiteral("End"),       QStringLiteral("PgUp"), QStringLiteral("PgDn"),  QStringLiteral("Num L"),
        QStringLiteral("Caps Lock"), QStringLiteral("sqr"),  QStringLiteral("Hr"),    QStringLiteral("Mn"),
        QStringLiteral("Jo"),        QStringLiteral("Mo"),   QStringLiteral("An"),    QStringLiteral("Ctrl"),
    };
    QHash<QString, QString> seen; // name -> object name, within the window
    int checked = 0;
    for (QWidget *w : form->findChildren<QWidget *>()) {
        if (!canTakeFocusOrClick(w) || programWindowOf(w) != form ||
            w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        // Linux screen readers read a combo box by its current text and its
        // name through the label relation.
        const QString name =
            qobject_cast<QComboBox *>(w) ? w->accessibleName() : accessibleText(w, QAccessible::Name);
        const QString what = window + QLatin1Char('/') + w->objectName() + QLatin1Char(' ') +
                             QLatin1String(w->metaObject()->className());
        QVERIFY2(!name.trimmed().isEmpty(), qPrintable(what + QStringLiteral(" has no name")));
        QVERIFY2(name != w->objectName(), qPrintable(what + QStringLiteral(" is named by its object name")));
        QVERIFY2(!english.contains(name), qPrintable(what + QStringLiteral(" is named ") + name));
        ++checked;
        // Two controls of one kind in one group never share a name, unless
        // one is a part (editor, list) of the other.
        if (w->objectName().isEmpty())
            continue;
        QString key =
            name + QLatin1Char('|') + QString::number(QAccessible::queryAccessibleInterface(w)->role());
        for (QWidget *p = w->parentWidget(); p != form; p = p->parentWidget())
            if (qobject_cast<QGroupBox *>(p))
                key += QLatin1Char('|') + p->accessibleName();
        const QString other = seen.value(key);
        QVERIFY2(other.isEmpty(), qPrintable(what + QStringLiteral(" and ") + other +
                                             QStringLiteral(" share the name ") + name));
        seen.insert(key, w->objectName());
    }
    QVERIFY(checked > 0 || window == QLatin1String("TAboutBox"));
}

void TestAccessibility::namedWidgets_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::newRow("typing line") << "TExos"
                                 << "Edit2" << QString::fromUtf8("Première ligne à taper")
                                 << QString::fromUtf8("Tapez ici le modèle de la ligne au-dessus");
    QTest::newRow("model line") << "TExos"
                                << "Edit5" << QString::fromUtf8("Troisième ligne modèle") << QString();
    QTest::newRow("letter key") << "TClavier"
                                << "SpeedButton1"
                                << "Touche A"
                                << "Touche du clavier dessiné";
    QTest::newRow("function key") << "TClavier"
                                  << "SpeedButton61"
                                  << "Touche F12"
                                  << "Touche du clavier dessiné";
    QTest::newRow("page key") << "TClavier"
                              << "SpeedButton75"
                              << "Touche Page suivante" << QString();
    QTest::newRow("lock light") << "TClavier"
                                << "SpeedButton106"
                                << "Voyant Verrouillage majuscules"
                                << QString::fromUtf8("Allumé quand les lettres sortent en majuscules");
    QTest::newRow("toolbar by hint") << "TMainForm"
                                     << "SpeedButton12"
                                     << "Statistiques" << QString();
    QTest::newRow("tool by tooltip") << "TBlocnotes"
                                     << "SpeedButton9"
                                     << "Imprimer" << QString();
    QTest::newRow("button caption") << "TPocket"
                                    << "Button19"
                                    << "Fermer" << QString();
    QTest::newRow("calculator sign") << "TPocket"
                                     << "Button17" << QString::fromUtf8("Racine carrée") << QString();
    QTest::newRow("abbreviation") << "THorloge"
                                  << "An" << QString::fromUtf8("Année") << QString();
    QTest::newRow("same captions") << "TCalendrier"
                                   << "BitBtn1" << QString::fromUtf8("Mois précédent") << QString();
    QTest::newRow("statistics field") << "TStats"
                                      << "Edit3"
                                      << "Pourcentage d'erreurs" << QString();
    QTest::newRow("grid") << "TTableur"
                          << "StringGrid2" << QString::fromUtf8("Tableau à remplir")
                          << "Recopiez ici les cellules du tableau modèle";
    QTest::newRow("combo box") << "TCaract"
                               << "ComboBox1"
                               << "Police" << QString();
    QTest::newRow("game area") << "TJeu"
                               << "TJeu"
                               << "Zone de jeu"
                               << QString::fromUtf8(
                                      "Tapez les lettres qui tombent avant qu'elles n'arrivent en bas");
    QTest::newRow("learners table") << "TApprenants"
                                    << "ListeApprenants"
                                    << "Apprenants de cet ordinateur" << QString();
    QTest::newRow("learners level") << "TApprenants"
                                    << "NiveauApprenant"
                                    << "Niveau" << QString();
    QTest::newRow("who learns") << "QuiApprend"
                                << "QuiApprend" << QString::fromUtf8("Qui apprend\u00a0?")
                                << QString::fromUtf8(
                                       "Choisissez votre nom avec les flèches, puis appuyez sur Entrée");
    QTest::newRow("who learns list") << "QuiApprend"
                                     << "ListeNoms"
                                     << "Apprenants" << QString();
    QTest::newRow("sub-window") << "TMainForm"
                                << "TTexteSub"
                                << "Texte" << QString::fromUtf8("Fenêtre de leçon");
}

void TestAccessibility::namedWidgets()
{
    QFETCH(QString, window);
    QFETCH(QString, widget);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QWidget *form = programWindow(window);
    QVERIFY(form);
    QWidget *w = widget == window ? form : form->findChild<QWidget *>(widget);
    QVERIFY(w);
    QCOMPARE(qobject_cast<QComboBox *>(w) ? w->accessibleName() : accessibleText(w, QAccessible::Name), name);
    if (!description.isEmpty())
        QCOMPARE(accessibleText(w, QAccessible::Description), description);
}

void TestAccessibility::lessonLabelsAreReadByTheirText_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("widget");
    QTest::newRow("exercise keys") << "TExos"
                                   << "Label1";
    QTest::newRow("exercise score") << "TExos"
                                    << "Label2";
    QTest::newRow("phrases theme") << "TPhrases"
                                   << "Label1";
    QTest::newRow("keyboard instruction") << "TClavier"
                                          << "Label1";
    QTest::newRow("game instruction") << "TJeu"
                                      << "Label1";
    QTest::newRow("chronometer") << "TExos"
                                 << "StaticText2";
    QTest::newRow("calendar month") << "TCalendrier"
                                    << "Label1";
}

void TestAccessibility::lessonLabelsAreReadByTheirText()
{
    QFETCH(QString, window);
    QFETCH(QString, widget);
    auto *label = programWindow(window)->findChild<QLabel *>(widget);
    QVERIFY(label);
    QVERIFY(!label->text().isEmpty());
    QCOMPARE(accessibleText(label, QAccessible::Name), label->text());
    QVERIFY(!accessibleText(label, QAccessible::Description).isEmpty());
}

void TestAccessibility::saisieFieldsFollowTheirLabels()
{
    TSaisie *saisie = forms().Saisie;
    for (int code : {1, 2}) {
        saisie->SetIni(code);
        QCOMPARE(accessibleText(saisie->Edit1(), QAccessible::Name), saisie->Label1()->text());
        QCOMPARE(accessibleText(saisie->Edit8(), QAccessible::Name), saisie->Label8()->text());
        QVERIFY(!saisie->Label8()->text().isEmpty());
    }
    QVERIFY(accessibleText(saisie->Edit6(), QAccessible::Description).startsWith(QLatin1String("Tapez ici")));
}

void TestAccessibility::menuItemsHaveNames()
{
    QMenuBar *bar = forms().MainForm->menuBar();
    const QList<QMenu *> menus = bar->findChildren<QMenu *>();
    QVERIFY(menus.size() >= 8);
    int items = 0;
    for (QMenu *menu : menus) {
        if (menu->objectName().isEmpty())
            continue; // the menu bar's own overflow menu, built when the bar is too narrow
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(menu);
        QVERIFY(iface);
        QVERIFY2(!iface->text(QAccessible::Name).isEmpty(), qPrintable(menu->objectName()));
        for (int i = 0; i < iface->childCount(); ++i) {
            QAccessibleInterface *item = iface->child(i);
            if (item->role() == QAccessible::Separator)
                continue;
            QVERIFY2(!item->text(QAccessible::Name).isEmpty(), qPrintable(menu->objectName()));
            ++items;
        }
    }
    QVERIFY(items > 50);
    // In the menu bar the "&?" menu is read by its item.
    QAccessibleInterface *barIface = QAccessible::queryAccessibleInterface(bar);
    QMenu *help = bar->findChild<QMenu *>(QStringLiteral("Aide1"));
    QVERIFY(help);
    const int index = int(bar->actions().indexOf(help->menuAction()));
    QAccessibleInterface *item = barIface->child(index);
    QCOMPARE(item->text(QAccessible::Name), QStringLiteral("Aide"));
    QCOMPARE(barIface->indexOfChild(item), index);
    QCOMPARE(item->child(0)->object(), help);
    QCOMPARE(bar->actions().at(index)->text(), QStringLiteral("&?"));
}

void TestAccessibility::namingLeavesTextsAndGeometryAlone()
{
    TExos exos;
    exos.buildControls();
    auto snapshot = [&exos] {
        QStringList rows;
        for (QWidget *w : exos.findChildren<QWidget *>()) {
            QString text;
            if (auto *e = qobject_cast<QLineEdit *>(w))
                text = e->text();
            else if (auto *l = qobject_cast<QLabel *>(w))
                text = l->text();
            const QRect g = w->geometry();
            rows << QStringLiteral("%1|%2|%3,%4,%5,%6")
                        .arg(w->objectName(), text)
                        .arg(g.x())
                        .arg(g.y())
                        .arg(g.width())
                        .arg(g.height());
        }
        return rows;
    };
    const QStringList before = snapshot();
    ui::applyAccessibleTexts(&exos, ui::accessibleTexts());
    QCOMPARE(snapshot(), before);
    QCOMPARE(exos.findChild<QWidget *>(QStringLiteral("Edit4"))->accessibleName(),
             QString::fromUtf8("Deuxième ligne à taper"));
}

// Start-up cost of the one naming pass over every window (a benchmark).
void TestAccessibility::namingPassCost()
{
    QBENCHMARK
    {
        ui::nameEveryWindow(forms().MainForm);
    }
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
