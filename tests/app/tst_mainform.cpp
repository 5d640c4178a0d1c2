// The frame: start-up state, menu tree, routing of commands, menu enabling.
#include "accessories/tcalendrier.h"
#include "app/forms.h"
#include "app/helpviewer.h"
#include "app/lesson/lessonwindow.h"
#include "app/lesson/tstats.h"
#include "app/lessontable.h"
#include "app/menutable.h"
#include "app/tmainform.h"
#include "drills/exercisetexts.h"
#include "drills/placement.h"
#include "drills/tepreuve.h"
#include "drills/texos.h"
#include "drills/texttexts.h"
#include "drills/tjeu.h"
#include "drills/tphrases.h"
#include "drills/ttexte.h"
#include "keyboard/tcaract.h"
#include "keyboard/tclavier.h"
#include "office/officetables.h"
#include "office/stringgrid.h"
#include "office/tsaisie.h"
#include "office/ttableur.h"
#include "support/testsupport.h"
#include "ui/hooklineedit.h"
#include "ui/lazyicons.h"

#include <QAccessible>
#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmapCache>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextBrowser>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

class TestMainForm : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startState();
    void deferredIconsDrawAsTheStyles_data();
    void deferredIconsDrawAsTheStyles();
    void preloadedPictureIsTheOneLoadedByName();
    void lessonBehindBuildsItsControlsLater_data();
    void lessonBehindBuildsItsControlsLater();
    void lessonTableMatchesMenusAndToolbar_data();
    void lessonTableMatchesMenusAndToolbar();
    void menuBarOrder();
    void menuItems_data();
    void menuItems();
    void lessonMenusAreRadioGroups();
    void menuLettersNeverCollide_data();
    void menuLettersNeverCollide();
    void placementOpensTheLessonItSendsTo_data();
    void placementOpensTheLessonItSendsTo();
    void toolbarButtons();
    void lessonChoiceSetsCodeChecksAndShows();
    void relanceThenLettreLeavesOneMark();
    void toolbarShowsWithoutSetIni();
    void reviewOpensInTheExercises();
    void updateMenus_data();
    void updateMenus();
    void chronometerWithGameOnlyFlipsMark();
    void chronometerGoesToActiveWindow();
    void statisticsRouting_data();
    void statisticsRouting();
    void characterTableOutsideTextShowsTable();
    void hiddenChronometersCountRealTime_data();
    void hiddenChronometersCountRealTime();
    void menuCodes();
    void hintGoesToStatusPanel();
    void resizeKeepsClockPanelWidth();
    void disabledEditItemsShowTheirHint();
    void noSystemMenuWithoutBorderIcons();
    void aboutBoxIsModal();
    void altXQuitsThoughExercicesUsesX();
    void f1OpensTheLessonPage_data();
    void f1OpensTheLessonPage();
    void classHidesLessonsAndGivesThemBack_data();
    void classHidesLessonsAndGivesThemBack();

private:
    TMainForm *frame() const { return forms().MainForm; }
    test::TempCwd *m_cwd = nullptr;
    test::PrompterScope *m_prompts = nullptr;
};

void TestMainForm::init()
{
    m_cwd = new test::TempCwd;
    m_prompts = new test::PrompterScope;
    test::startProgram();
}

void TestMainForm::cleanup()
{
    test::stopProgram();
    delete m_prompts;
    delete m_cwd;
}

void TestMainForm::startState()
{
    QCOMPARE(frame()->windowTitle(), QStringLiteral("Tapivox"));
    QCOMPARE(frame()->activeLesson(), static_cast<LessonWindow *>(forms().Clavier));
    QVERIFY(frame()->action(QStringLiteral("Dcouverte1"))->isChecked());
    QVERIFY(frame()->action(QStringLiteral("N1gh1"))->isChecked());
    QVERIFY(!frame()->action(QStringLiteral("Chronomtrer1"))->isChecked());
    QVERIFY(frame()->windowState() & Qt::WindowMaximized);
    QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"))
                .match(frame()->clockPanel->text())
                .hasMatch());
    QCOMPARE(frame()->startFolder, QDir::currentPath());
    QVERIFY(frame()->helpFile.endsWith(QStringLiteral("Tapivox.hlp")));
    // Every lesson window was started: the keyboard with 0, the others with 1.
    for (const LessonDef &row : lessonTable())
        QCOMPARE(lessonWindow(row)->GetIni(), row.module == 1 ? 0 : 1);
    // The character table, the calendar and the statistics build their
    // controls when first needed, not at start-up.
    QVERIFY(!forms().Caract->controlsBuilt());
    QVERIFY(!forms().Calendrier->controlsBuilt());
    QVERIFY(!forms().Stats->controlsBuilt());
    // Its first paint decodes no picture through the image plugins, and
    // builds nothing of the windows hidden behind the keyboard window.
    frame()->grab();
    QCoreApplication::processEvents();
    for (LessonWindow *behind :
         {static_cast<LessonWindow *>(forms().Exos), static_cast<LessonWindow *>(forms().Phrases),
          static_cast<LessonWindow *>(forms().Tableur)})
        QVERIFY2(!behind->controlsBuilt(), qPrintable(behind->objectName()));
    QVERIFY(!forms().Texte->controlsBuilt());
    QVERIFY(!forms().Saisie->controlsBuilt());
    QFile maps(QStringLiteral("/proc/self/maps"));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    QVERIFY(!maps.readAll().contains("/imageformats/"));
}

// The windows behind the keyboard window build their controls when they
// are reached, painted uncovered or built by the frame after the first
// paint; these then show the lesson the last SetIni chose, and the frame's
// focus stays where it was while they build behind.
void TestMainForm::lessonBehindBuildsItsControlsLater_data()
{
    QTest::addColumn<int>("module");
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("code");
    QTest::newRow("spreadsheet chosen from its menu after a file's code") << 6 << "menu" << 3;
    QTest::newRow("spreadsheet built by the frame behind") << 6 << "behind" << 1;
    QTest::newRow("spreadsheet uncovered") << 6 << "uncovered" << 1;
    QTest::newRow("exercise chosen from its menu after a file's code") << 2 << "menu" << 3;
    QTest::newRow("exercises built by the frame behind") << 2 << "behind" << 1;
    QTest::newRow("text chosen from its menu after a file's code") << 4 << "menu" << 3;
    QTest::newRow("text built by the frame behind") << 4 << "behind" << 1;
    QTest::newRow("text kept by a code it does not know") << 4 << "kept" << 2;
    QTest::newRow("data entry chosen from its menu after a file's code") << 7 << "menu" << 2;
    QTest::newRow("data entry built by the frame behind") << 7 << "behind" << 1;
    QTest::newRow("data entry kept by a code it does not know") << 7 << "kept" << 3;
}

void TestMainForm::lessonBehindBuildsItsControlsLater()
{
    QFETCH(int, module);
    QFETCH(QString, how);
    QFETCH(int, code);
    const LessonDef &row = *lessonRow(module);
    LessonWindow *w = lessonWindow(row);
    QVERIFY(!w->controlsBuilt());
    if (how == QLatin1String("menu")) {
        w->SetIni(2);
        for (const MenuItemDef &item : lessonMenu(row)->items)
            if (item.code == code)
                frame()->action(QLatin1String(item.name))->trigger();
        QCOMPARE(frame()->activeLesson(), w);
        QWidget *entry = module == 6   ? static_cast<QWidget *>(forms().Tableur->StringGrid2())
                         : module == 4 ? static_cast<QWidget *>(forms().Texte->RichEdit2())
                         : module == 7 ? static_cast<QWidget *>(forms().Saisie->Edit6())
                                       : static_cast<QWidget *>(forms().Exos->Edit2());
        QVERIFY(entry == frame()->focusWidget() || entry->isAncestorOf(frame()->focusWidget()));
    } else if (how == QLatin1String("kept")) {
        w->SetIni(code);
        w->SetIni(99);
        QVERIFY(w->controlsBuilt());
    } else if (how == QLatin1String("behind")) {
        QVERIFY(QTest::qWaitForWindowExposed(frame()));
        QWidget *focus = frame()->focusWidget();
        QTRY_VERIFY(w->controlsBuilt());
        QCOMPARE(frame()->focusWidget(), focus);
        QCOMPARE(frame()->activeLesson(), static_cast<LessonWindow *>(forms().Clavier));
    } else {
        QVERIFY(QTest::qWaitForWindowExposed(frame()));
        for (const LessonDef &other : lessonTable())
            if (other.module != module)
                frame()->subWindowOf(lessonWindow(other))->move(0, 200);
        w->repaint();
        QCoreApplication::processEvents();
        QVERIFY(w->controlsBuilt());
    }
    QCOMPARE(w->GetIni(), how == QLatin1String("kept") ? 99 : code);
    if (module == 6) {
        TTableur *sheet = forms().Tableur;
        for (int r = 1; r <= office::GridJudge::kRows; ++r)
            for (int c = 1; c <= office::GridJudge::kColumns; ++c)
                QCOMPARE(sheet->StringGrid1()->cell({c, r}),
                         QString::fromUtf8(office::kGridModel[code - 1][r - 1][c - 1]));
        QCOMPARE(sheet->StringGrid2()->current(), (office::GridCell{1, 1}));
    } else if (module == 7) {
        TSaisie *form = forms().Saisie;
        const QLineEdit *models[] = {form->Edit1(), form->Edit2(), form->Edit3(), form->Edit4(),
                                     form->Edit5()};
        const office::FormLesson &lesson = office::kFormLessons[code - 1];
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(models[i]->text(), QString::fromUtf8(lesson.records[0][i]));
            QCOMPARE(form->findChild<QLabel *>(QStringLiteral("Label%1").arg(i + 6))->text(),
                     QString::fromUtf8(lesson.labels[i]));
        }
        QCOMPARE(form->check().recordNumber(), 1);
    } else if (module == 4) {
        const std::span<const TextLine> lines = textLines(code);
        for (int i = 0; i < int(lines.size()); ++i)
            QCOMPARE(forms().Texte->modelLine(i), QString::fromUtf8(lines[i].text));
        QVERIFY(!forms().Texte->ownText());
    } else {
        for (int i = 0; i < drills::LineDrill::LineCount; ++i)
            QCOMPARE(forms().Exos->modelLine(i)->text(),
                     QString::fromUtf8(drills::exerciseText(code)->models[i]));
        QCOMPARE(forms().Exos->Edit1()->selectionStart(), 0); // the first character to type
    }
    const QString entryName = QLatin1String(module == 4 ? "RichEdit2" : module == 7 ? "Edit6" : "Edit2");
    // Named for screen readers (a field by its label's text).
    QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(w->findChild<QWidget *>(entryName));
    QVERIFY(spoken && !spoken->text(QAccessible::Name).isEmpty());
}

// The title-bar icons the style hands out before they are needed draw as
// the underlying style's own.
void TestMainForm::deferredIconsDrawAsTheStyles_data()
{
    QTest::addColumn<int>("which");
    QTest::newRow("menu") << int(QStyle::SP_TitleBarMenuButton);
    QTest::newRow("close") << int(QStyle::SP_TitleBarCloseButton);
    QTest::newRow("restore") << int(QStyle::SP_TitleBarNormalButton);
    QTest::newRow("menu bar extension") << int(QStyle::SP_ToolBarHorizontalExtensionButton);
}

void TestMainForm::deferredIconsDrawAsTheStyles()
{
    QFETCH(int, which);
    const auto *proxy = qobject_cast<const QProxyStyle *>(QApplication::style());
    QVERIFY(proxy);
    const auto sp = QStyle::StandardPixmap(which);
    const QIcon deferred = proxy->standardIcon(sp);
    const QIcon real = proxy->baseStyle()->standardIcon(sp);
    QVERIFY(!deferred.isNull());
    QCOMPARE(deferred.availableSizes(), real.availableSizes());
    for (int size : {16, 32})
        QCOMPARE(deferred.pixmap(size).toImage(), real.pixmap(size).toImage());
}

// A picture decoded ahead of the style's loading it by name is left under
// the key that loading looks for first.
void TestMainForm::preloadedPictureIsTheOneLoadedByName()
{
    const QString name = QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png");
    QPixmapCache::clear();
    const QPixmap loaded(name);
    QVERIFY(!loaded.isNull());
    QPixmap cached;
    QVERIFY(QPixmapCache::find(ui::loadedPixmapKey(name), &cached));
    QCOMPARE(cached.cacheKey(), loaded.cacheKey());
}

void TestMainForm::lessonTableMatchesMenusAndToolbar_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(lessonTable().size()); ++i)
        QTest::newRow(lessonTable()[i].family) << i;
}

// Each row of the lesson table is one window with its own menu, whose items
// start it, and its own toolbar button, which brings it back as it was.
void TestMainForm::lessonTableMatchesMenusAndToolbar()
{
    QFETCH(int, row);
    const LessonDef &lesson = lessonTable()[row];
    LessonWindow *w = lessonWindow(lesson);
    QVERIFY(w);
    QCOMPARE(w->moduleCode(), lesson.module);
    QCOMPARE(frame()->lessonOfModule(lesson.module), w);
    QCOMPARE(frame()->subWindowOf(w)->mdiArea(), frame()->mdiArea);
    QVERIFY(QFile::exists(QStringLiteral(":/help/") + QLatin1String(lesson.helpPage)));
    int others = 0;
    for (const LessonDef &other : lessonTable())
        others += lessonWindow(other) == w || qstrcmp(other.menu, lesson.menu) == 0 ||
                  qstrcmp(other.button, lesson.button) == 0;
    QCOMPARE(others, 1);

    auto *menu = frame()->findChild<QMenu *>(QLatin1String(lesson.menu));
    QVERIFY(menu);
    QVERIFY(frame()->menuBar()->actions().contains(menu->menuAction()));
    QList<QAction *> items;
    for (QAction *a : menu->actions())
        if (!a->isSeparator() && a->actionGroup()) // not the commands (the tests)
            items << a;
    QVERIFY(!items.isEmpty());
    for (int i = items.size() - 1; i >= 0; --i) {
        // The learner's own text asks for a file first (the text lesson's
        // tests answer it).
        if (items.at(i)->objectName() == QLatin1String("Votretexte1"))
            continue;
        frame()->showLesson(lessonWindow(lessonTable()[(row + 1) % lessonTable().size()]));
        items.at(i)->trigger();
        QCOMPARE(frame()->activeLesson(), w);
        QCOMPARE(w->GetIni(), items.at(i)->data().toInt());
        QCOMPARE(frame()->menuCode(lesson.module), i + 1);
    }

    QToolButton *button = frame()->toolButton(QLatin1String(lesson.button));
    QVERIFY(button);
    frame()->showLesson(lessonWindow(lessonTable()[(row + 1) % lessonTable().size()]));
    button->click();
    QCOMPARE(frame()->activeLesson(), w);
    QCOMPARE(w->GetIni(), items.first()->data().toInt());
}

void TestMainForm::menuBarOrder()
{
    QStringList captions;
    for (QAction *a : frame()->menuBar()->actions())
        captions << a->text();
    QCOMPARE(captions, (QStringList{"&Fichier", "&Edition", "&Clavier", "E&xercices", "&Phrases", "&Texte",
                                    "T&ableur", "&Saisie", "&Jeu", "&Options", "&Utilitaires", "&?"}));
    const QList<int> contexts{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    for (int i = 0; i < contexts.size(); ++i)
        QCOMPARE(frame()->menuBar()->actions().at(i)->menu()->property("helpContext").toInt(),
                 contexts.at(i));
}

void TestMainForm::menuItems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("shortcut");
    QTest::newRow("Nouvelleleon1") << QStringLiteral("Nouvelleleon1") << QString::fromUtf8("&Nouvelle leçon")
                                   << QString::fromUtf8("Nouvelle leçon") << QStringLiteral("");
    QTest::newRow("OpenItem") << QStringLiteral("OpenItem") << QString::fromUtf8("&Ouvrir leçon...")
                              << QString::fromUtf8("Ouvrir une leçon") << QStringLiteral("");
    QTest::newRow("SaveItem") << QStringLiteral("SaveItem") << QString::fromUtf8("&Enregistrer leçon")
                              << QString::fromUtf8("Enregistrer la leçon en cours") << QStringLiteral("");
    QTest::newRow("Enregistrersous1")
        << QStringLiteral("Enregistrersous1") << QString::fromUtf8("Enregistrer &sous...")
        << QString::fromUtf8("Enregistrer sous") << QStringLiteral("");
    QTest::newRow("ExitItem") << QStringLiteral("ExitItem") << QString::fromUtf8("&Quitter")
                              << QString::fromUtf8("Quitter l'application") << QStringLiteral("Alt+X");
    QTest::newRow("Couper1") << QStringLiteral("Couper1") << QString::fromUtf8("&Couper")
                             << QString::fromUtf8("Couper") << QStringLiteral("Ctrl+X");
    QTest::newRow("Copier1") << QStringLiteral("Copier1") << QString::fromUtf8("Co&pier")
                             << QString::fromUtf8("Copier") << QStringLiteral("Ctrl+C");
    QTest::newRow("Coller1") << QStringLiteral("Coller1") << QString::fromUtf8("C&oller")
                             << QString::fromUtf8("Coller") << QStringLiteral("Ctrl+V");
    QTest::newRow("Dcouverte1") << QStringLiteral("Dcouverte1") << QString::fromUtf8("&Découverte")
                                << QString::fromUtf8("Découverte du clavier") << QStringLiteral("");
    QTest::newRow("Touches1") << QStringLiteral("Touches1") << QString::fromUtf8("&Touches")
                              << QString::fromUtf8("Touches du clavier") << QStringLiteral("");
    QTest::newRow("N1gh1") << QStringLiteral("N1gh1") << QString::fromUtf8("&1 Touches g h")
                           << QString::fromUtf8("Touches g h") << QStringLiteral("");
    QTest::newRow("N2ap1") << QStringLiteral("N2ap1") << QString::fromUtf8("&2 Touches a p")
                           << QString::fromUtf8("Touches a p") << QStringLiteral("");
    QTest::newRow("N3zq1") << QStringLiteral("N3zq1") << QString::fromUtf8("&3 Touches z o")
                           << QString::fromUtf8("Touches z o") << QStringLiteral("");
    QTest::newRow("N4erui1") << QStringLiteral("N4erui1") << QString::fromUtf8("&4 Touches h j")
                             << QString::fromUtf8("Touches e r u i") << QStringLiteral("");
    QTest::newRow("N5ty1") << QStringLiteral("N5ty1") << QString::fromUtf8("&5 Touches t y")
                           << QString::fromUtf8("Touches t y") << QStringLiteral("");
    QTest::newRow("N6wxcv1") << QStringLiteral("N6wxcv1") << QString::fromUtf8("&6 Touches w x c v")
                             << QString::fromUtf8("Touches w x c v") << QStringLiteral("");
    QTest::newRow("N7bn1") << QStringLiteral("N7bn1") << QString::fromUtf8("&7 Touches b n")
                           << QString::fromUtf8("Touches b n") << QStringLiteral("");
    QTest::newRow("N8Touches1") << QStringLiteral("N8Touches1") << QString::fromUtf8("&8 Touches é è")
                                << QString::fromUtf8("Touches é è") << QStringLiteral("");
    QTest::newRow("N9Touches1") << QStringLiteral("N9Touches1") << QString::fromUtf8("&9 Touches ç à")
                                << QString::fromUtf8("Touches ç à") << QStringLiteral("");
    QTest::newRow("N10Touches1") << QStringLiteral("N10Touches1") << QString::fromUtf8("&10 Touches ^ ù")
                                 << QString::fromUtf8("Touches ^ ù") << QStringLiteral("");
    QTest::newRow("N11Touches1") << QStringLiteral("N11Touches1") << QString::fromUtf8("&11 Touches , ; : !")
                                 << QString::fromUtf8("Touches , ; : !") << QStringLiteral("");
    QTest::newRow("N12Touches1") << QStringLiteral("N12Touches1") << QString::fromUtf8("&12 Touches \" '")
                                 << QString::fromUtf8("Touches \" '") << QStringLiteral("");
    QTest::newRow("N13Touches1") << QStringLiteral("N13Touches1") << QString::fromUtf8("&13 Touches ( )")
                                 << QString::fromUtf8("Touches ( )") << QStringLiteral("");
    QTest::newRow("N14Touches1") << QStringLiteral("N14Touches1") << QString::fromUtf8("&14 Touches - _")
                                 << QString::fromUtf8("Touches - _") << QStringLiteral("");
    QTest::newRow("N15Touches1") << QStringLiteral("N15Touches1") << QString::fromUtf8("&15 Touches MAJ min")
                                 << QString::fromUtf8("Touches MAJUSCULES minuscules") << QStringLiteral("");
    QTest::newRow("N16Touches1") << QStringLiteral("N16Touches1")
                                 << QString::fromUtf8("&16 Touches 1234567890")
                                 << QString::fromUtf8("Touches 1234567890") << QStringLiteral("");
    QTest::newRow("N17Touches1") << QStringLiteral("N17Touches1")
                                 << QString::fromUtf8("&17 Touches - x : + =")
                                 << QString::fromUtf8("Touches - x : + =") << QStringLiteral("");
    QTest::newRow("N18Touches1") << QStringLiteral("N18Touches1") << QString::fromUtf8("&18 Touches ? .")
                                 << QString::fromUtf8("Touches ? .") << QStringLiteral("");
    QTest::newRow("Revision1") << QStringLiteral("Revision1") << QString::fromUtf8("&Révision personnalisée")
                               << QString::fromUtf8("Révision personnalisée") << QStringLiteral("");
    QTest::newRow("Maximes1") << QStringLiteral("Maximes1") << QString::fromUtf8("&Maximes")
                              << QString::fromUtf8("Maximes") << QStringLiteral("");
    QTest::newRow("Citations1") << QStringLiteral("Citations1") << QString::fromUtf8("&Citations")
                                << QString::fromUtf8("Citaions") << QStringLiteral("");
    QTest::newRow("Dictions1") << QStringLiteral("Dictions1") << QString::fromUtf8("&Dictions")
                               << QString::fromUtf8("Dictons") << QStringLiteral("");
    QTest::newRow("Romans1") << QStringLiteral("Romans1") << QString::fromUtf8("&Romans")
                             << QString::fromUtf8("Titres de romans") << QStringLiteral("");
    QTest::newRow("Films1") << QStringLiteral("Films1") << QString::fromUtf8("&Films")
                            << QString::fromUtf8("Titres de films") << QStringLiteral("");
    QTest::newRow("Fonctionsdebase1")
        << QStringLiteral("Fonctionsdebase1") << QString::fromUtf8("&Fonctions de base")
        << QString::fromUtf8("Les fonctions de base") << QStringLiteral("");
    QTest::newRow("Fble1") << QStringLiteral("Fble1") << QString::fromUtf8("&La cigale et la fourmi")
                           << QString::fromUtf8("La cigale et la fourmi") << QStringLiteral("");
    QTest::newRow("LeCorbeauetlerenard1")
        << QStringLiteral("LeCorbeauetlerenard1") << QString::fromUtf8("Le &Corbeau et le renard")
        << QString::fromUtf8("") << QStringLiteral("");
    QTest::newRow("Pressepapiers1") << QStringLiteral("Pressepapiers1")
                                    << QString::fromUtf8("&Presse-papiers")
                                    << QString::fromUtf8("Le presse-papiers") << QStringLiteral("");
    QTest::newRow("Lettre1") << QStringLiteral("Lettre1") << QString::fromUtf8("&Lettre")
                             << QString::fromUtf8("Lettre") << QStringLiteral("");
    QTest::newRow("Relance1") << QStringLiteral("Relance1") << QString::fromUtf8("&Relance")
                              << QString::fromUtf8("Lettre de relance") << QStringLiteral("");
    QTest::newRow("CurriculumVitae1")
        << QStringLiteral("CurriculumVitae1") << QString::fromUtf8("Curriculum &Vitae")
        << QString::fromUtf8("Curriculum Vitae") << QStringLiteral("");
    QTest::newRow("Votretexte1") << QStringLiteral("Votretexte1") << QString::fromUtf8("&Votre texte...")
                                 << QString::fromUtf8("Recopier un texte de votre choix")
                                 << QStringLiteral("");
    QTest::newRow("Lesbases1") << QStringLiteral("Lesbases1") << QString::fromUtf8("&Fonctions de base")
                               << QString::fromUtf8("Les fonctions de base") << QStringLiteral("");
    QTest::newRow("Budget1") << QStringLiteral("Budget1") << QString::fromUtf8("&Budget")
                             << QString::fromUtf8("Budget") << QStringLiteral("");
    QTest::newRow("Rpertoire1") << QStringLiteral("Rpertoire1") << QString::fromUtf8("&Répertoire")
                                << QString::fromUtf8("Répertoire téléphoniqaue") << QStringLiteral("");
    QTest::newRow("Tarifs1") << QStringLiteral("Tarifs1") << QString::fromUtf8("&Tarifs")
                             << QString::fromUtf8("Tarifs") << QStringLiteral("");
    QTest::newRow("Fonctionsdebase2")
        << QStringLiteral("Fonctionsdebase2") << QString::fromUtf8("&Fonctions de base")
        << QString::fromUtf8("Les fonctions de base") << QStringLiteral("");
    QTest::newRow("Rpertoire2") << QStringLiteral("Rpertoire2") << QString::fromUtf8("&Répertoire")
                                << QString::fromUtf8("Répertoire") << QStringLiteral("");
    QTest::newRow("Stock1") << QStringLiteral("Stock1") << QString::fromUtf8("&Stock")
                            << QString::fromUtf8("Stock") << QStringLiteral("");
    QTest::newRow("Lettres1") << QStringLiteral("Lettres1") << QString::fromUtf8("&Lettres")
                              << QString::fromUtf8("Lettres") << QStringLiteral("");
    QTest::newRow("Mots1") << QStringLiteral("Mots1") << QString::fromUtf8("&Mots")
                           << QString::fromUtf8("Mots") << QStringLiteral("");
    QTest::newRow("Bilan1") << QStringLiteral("Bilan1") << QString::fromUtf8("&Bilan")
                            << QString::fromUtf8("Bilan de la leçon") << QStringLiteral("");
    QTest::newRow("Chronomtrer1") << QStringLiteral("Chronomtrer1") << QString::fromUtf8("&Chronométrer")
                                  << QString::fromUtf8("Chronométrer") << QStringLiteral("");
    QTest::newRow("Tabledescaractres1")
        << QStringLiteral("Tabledescaractres1") << QString::fromUtf8("&Table des caractères")
        << QString::fromUtf8("Table des caractères") << QStringLiteral("");
    QTest::newRow("Calendrier1") << QStringLiteral("Calendrier1") << QString::fromUtf8("&Calendrier")
                                 << QString::fromUtf8("Calendrier") << QStringLiteral("");
    QTest::newRow("Clculatrice1") << QStringLiteral("Clculatrice1") << QString::fromUtf8("C&alculatrice")
                                  << QString::fromUtf8("Calculatrice") << QStringLiteral("");
    QTest::newRow("Horloge1") << QStringLiteral("Horloge1") << QString::fromUtf8("&Horloge")
                              << QString::fromUtf8("Horloge") << QStringLiteral("");
    QTest::newRow("Blocnotes1") << QStringLiteral("Blocnotes1") << QString::fromUtf8("&Bloc-notes")
                                << QString::fromUtf8("Bloc-notes") << QStringLiteral("");
    QTest::newRow("Index1") << QStringLiteral("Index1") << QString::fromUtf8("&Index")
                            << QString::fromUtf8("Sommaire de l'aide") << QStringLiteral("");
    QTest::newRow("Rechercher1") << QStringLiteral("Rechercher1") << QString::fromUtf8("&Rechercher...")
                                 << QString::fromUtf8("Rechercher") << QStringLiteral("");
    QTest::newRow("Utiliserlaide1") << QStringLiteral("Utiliserlaide1")
                                    << QString::fromUtf8("&Utiliser l'aide")
                                    << QString::fromUtf8("Utiliser l'aide") << QStringLiteral("");
    QTest::newRow("Classe1") << QStringLiteral("Classe1") << QString::fromUtf8("Cla&sse...")
                             << QString::fromUtf8("Rejoindre sa classe, ou se connecter comme enseignant")
                             << QStringLiteral("");
    QTest::newRow("About1") << QStringLiteral("About1") << QString::fromUtf8("&A propos")
                            << QString::fromUtf8("Informations sur le programme, la version")
                            << QStringLiteral("");
}

void TestMainForm::menuItems()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    QFETCH(QString, shortcut);
    QAction *a = frame()->action(name);
    QVERIFY(a);
    QCOMPARE(a->text(), caption);
    QCOMPARE(a->statusTip(), hint);
    QCOMPARE(a->shortcut().toString(), shortcut);
}

void TestMainForm::menuLettersNeverCollide_data()
{
    QTest::addColumn<QString>("menu");
    // The lesson menus keep the design's digits, 1 for exercises 1 and 10
    // to 18 alike.
    for (const char *name : {"Fichier1", "Edition1", "Options1", "Utilitaires1", "Aide1", "Sons1",
                             "Tailledutexte1", "Policedutexte1"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// Alt and a letter would cycle between two items instead of choosing one.
void TestMainForm::menuLettersNeverCollide()
{
    QFETCH(QString, menu);
    std::span<const MenuItemDef> items = submenuItems(menu.toLatin1().constData());
    for (const MenuDef &def : menuTable())
        if (menu == QLatin1String(def.name))
            items = def.items;
    QVERIFY(!items.empty());
    QHash<QChar, QString> taken;
    for (const MenuItemDef &item : items) {
        const QString caption = QString::fromUtf8(item.caption);
        const qsizetype amp = caption.indexOf(QLatin1Char('&'));
        if (amp < 0 || amp + 1 >= caption.size())
            continue;
        const QChar letter = caption.at(amp + 1).toLower();
        QVERIFY2(!taken.contains(letter), qPrintable(caption + QStringLiteral(" and ") + taken.value(letter) +
                                                     QStringLiteral(" share ") + letter));
        taken.insert(letter, caption);
    }
}

void TestMainForm::placementOpensTheLessonItSendsTo_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("module");
    QTest::addColumn<int>("lesson");
    QTest::newRow("everything right") << drills::placementText() << 4 << 2;
    QTest::newRow("the home row only, in the time")
        << QString::fromUtf8(drills::placementSteps()[0].text) << 2 << 4;
}

// The test's advice opens its lesson, as its menu item would.
void TestMainForm::placementOpensTheLessonItSendsTo()
{
    QFETCH(QString, typed);
    QFETCH(int, module);
    QFETCH(int, lesson);
    qint64 now = 0;
    frame()->action(QStringLiteral("Testdeniveau1"))->trigger();
    TEpreuve *w = frame()->epreuve();
    QVERIFY(w && w->isVisible() && w->placementMode() && w->running());
    w->setClock([&now] { return now; });
    QTest::keyClick(w->SaisieEpreuve, Qt::Key_Q); // the first key starts the clock
    w->SaisieEpreuve->insertPlainText(typed.mid(1));
    now = drills::kPlacementMinutes * 60000;
    w->Timer1Timer();
    QVERIFY(!w->running());
    QVERIFY(w->BoutonOuvrirLecon->isVisible());
    w->BoutonOuvrirLecon->click();
    QVERIFY(!w->isVisible());
    QTRY_VERIFY(frame()->activeLesson() && frame()->activeLesson()->moduleCode() != 1);
    LessonWindow *opened = frame()->activeLesson();
    QCOMPARE(opened->moduleCode(), module);
    QCOMPARE(opened->GetIni(), lesson);
}

void TestMainForm::lessonMenusAreRadioGroups()
{
    const QStringList menus{"Clavier1", "Exercices1", "Phrases1", "Texte1", "Tableur1", "Saisie1", "Jeu1"};
    const QList<int> sizes{2, 25, 5, 8, 4, 3, 2}; // with the French exercises and the review
    for (int i = 0; i < menus.size(); ++i) {
        auto *menu = frame()->findChild<QMenu *>(menus.at(i));
        QVERIFY(menu);
        int items = 0, checked = 0;
        QStringList commands;
        for (QAction *a : menu->actions()) {
            if (a->isSeparator())
                continue;
            if (!a->isCheckable()) {
                commands << a->objectName(); // the tests, after the lessons
                continue;
            }
            ++items;
            QVERIFY(a->actionGroup() && a->actionGroup()->isExclusive());
            checked += a->isChecked();
        }
        QCOMPARE(items, sizes.at(i));
        QCOMPARE(checked, 1);
        const QStringList tests{QStringLiteral("Testdeniveau1"), QStringLiteral("Epreuve1")};
        QCOMPARE(commands, i == 1 ? tests : QStringList());
    }
}

void TestMainForm::toolbarButtons()
{
    const QStringList names{"SpeedButton11", "SpeedButton5", "SpeedButton6", "SpeedButton1",
                            "SpeedButton2",  "SpeedButton7", "SpeedButton3", "SpeedButton13",
                            "SpeedButton14", "SpeedButton4", "SpeedButton9", "SpeedButton10",
                            "SpeedButton8",  "SpeedButton12"};
    const QList<int> lefts{8, 33, 58, 91, 116, 141, 166, 191, 216, 241, 275, 300, 334, 359};
    QCOMPARE(frame()->SpeedPanel->findChildren<QToolButton *>().size(), 14);
    for (int i = 0; i < names.size(); ++i) {
        QToolButton *b = frame()->toolButton(names.at(i));
        QVERIFY2(b, qPrintable(names.at(i)));
        QCOMPARE(b->x(), lefts.at(i));
        QCOMPARE(b->size(), QSize(25, 25));
        QVERIFY(b->autoRaise());
        QVERIFY(!b->toolTip().isEmpty());
        QCOMPARE(b->statusTip(), b->toolTip());
        // Its picture, sharp on plain and on doubled screens.
        QCOMPARE(b->icon().availableSizes(), (QList<QSize>{QSize(18, 18), QSize(36, 36)}));
    }
    QVERIFY(!frame()->windowIcon().isNull());
    QCOMPARE(frame()->toolButton(QStringLiteral("SpeedButton10"))->toolTip(), QString::fromUtf8("Souligné"));
    QCOMPARE(frame()->Bevel1->x(), 86);
    QCOMPARE(frame()->Bevel2->x(), 269);
}

void TestMainForm::lessonChoiceSetsCodeChecksAndShows()
{
    QAction *item = frame()->action(QStringLiteral("N3zq1"));
    item->trigger();
    QCOMPARE(forms().Exos->GetIni(), 3);
    QVERIFY(item->isChecked());
    QVERIFY(!frame()->action(QStringLiteral("N1gh1"))->isChecked());
    QCOMPARE(frame()->activeLesson(), static_cast<LessonWindow *>(forms().Exos));
    frame()->action(QStringLiteral("Touches1"))->trigger();
    QCOMPARE(forms().Clavier->GetIni(), 1);
    frame()->action(QStringLiteral("Mots1"))->trigger();
    QCOMPARE(forms().Jeu->GetIni(), 2);
    QCOMPARE(frame()->activeLesson(), static_cast<LessonWindow *>(forms().Jeu));
}

void TestMainForm::relanceThenLettreLeavesOneMark()
{
    frame()->action(QStringLiteral("Relance1"))->trigger();
    frame()->action(QStringLiteral("Lettre1"))->trigger();
    QVERIFY(frame()->action(QStringLiteral("Lettre1"))->isChecked());
    QVERIFY(!frame()->action(QStringLiteral("Relance1"))->isChecked());
    QCOMPARE(frame()->GetTexteMenu(), 5);
    QCOMPARE(forms().Texte->GetIni(), 5);
}

void TestMainForm::toolbarShowsWithoutSetIni()
{
    frame()->action(QStringLiteral("N7bn1"))->trigger();
    frame()->SpeedButton1Click();
    QCOMPARE(frame()->activeLesson(), static_cast<LessonWindow *>(forms().Clavier));
    frame()->toolButton(QStringLiteral("SpeedButton2"))->click();
    QCOMPARE(frame()->activeLesson(), static_cast<LessonWindow *>(forms().Exos));
    QCOMPARE(forms().Exos->GetIni(), 7);
}

void TestMainForm::reviewOpensInTheExercises()
{
    frame()->action(QStringLiteral("Revision1"))->trigger();
    QCOMPARE(frame()->activeLesson(), static_cast<LessonWindow *>(forms().Exos));
    QCOMPARE(forms().Exos->GetIni(), TExos::kReviewCode);
    // No journal in this test: a first run.
    QVERIFY(
        forms().Exos->Label1->text().startsWith(QString::fromUtf8("Révision\u00a0: pas encore de séance")));
    QVERIFY(!forms().Exos->Edit1()->text().isEmpty());
}

void TestMainForm::updateMenus_data()
{
    QTest::addColumn<int>("module");
    QTest::addColumn<bool>("editItems");
    QTest::addColumn<bool>("styleButtons");
    QTest::newRow("keyboard") << 1 << false << false;
    QTest::newRow("exercises") << 2 << false << false;
    QTest::newRow("phrases") << 3 << false << false;
    QTest::newRow("text") << 4 << true << true;
    QTest::newRow("game") << 5 << false << false;
    QTest::newRow("spreadsheet") << 6 << true << false;
    QTest::newRow("data entry") << 7 << false << false;
}

void TestMainForm::updateMenus()
{
    QFETCH(int, module);
    QFETCH(bool, editItems);
    QFETCH(bool, styleButtons);
    frame()->showLesson(frame()->lessonOfModule(module));
    QCOMPARE(frame()->activeLesson(), frame()->lessonOfModule(module));
    for (const char *name : {"Couper1", "Copier1", "Coller1"})
        QCOMPARE(frame()->action(QLatin1String(name))->isEnabled(), editItems);
    QCOMPARE(frame()->toolButton(QStringLiteral("SpeedButton9"))->isEnabled(), styleButtons);
    QCOMPARE(frame()->toolButton(QStringLiteral("SpeedButton10"))->isEnabled(), styleButtons);
}

void TestMainForm::chronometerWithGameOnlyFlipsMark()
{
    frame()->showLesson(forms().Jeu);
    const bool wasRunning = forms().Jeu->chronometerRunning();
    frame()->SpeedButton8Click();
    QVERIFY(frame()->action(QStringLiteral("Chronomtrer1"))->isChecked());
    QCOMPARE(forms().Jeu->chronometerRunning(), wasRunning);
    frame()->action(QStringLiteral("Chronomtrer1"))->trigger();
    QVERIFY(!frame()->action(QStringLiteral("Chronomtrer1"))->isChecked());
}

void TestMainForm::chronometerGoesToActiveWindow()
{
    QAction *mark = frame()->action(QStringLiteral("Chronomtrer1"));
    frame()->showLesson(forms().Exos);
    frame()->SpeedButton8Click();
    const bool exosRunning = forms().Exos->chronometerRunning();
    QVERIFY(mark->isChecked());
    frame()->showLesson(forms().Phrases);
    const bool phrasesBefore = forms().Phrases->chronometerRunning();
    frame()->SpeedButton8Click();
    QCOMPARE(forms().Phrases->chronometerRunning(), !phrasesBefore);
    QCOMPARE(forms().Exos->chronometerRunning(), exosRunning);
    QVERIFY(!mark->isChecked());
    frame()->showLesson(forms().Texte);
    frame()->SpeedButton8Click();
    QVERIFY(forms().Texte->chronometerRunning());
    QCOMPARE(forms().Texte->seconds(), 0);
}

void TestMainForm::statisticsRouting_data()
{
    QTest::addColumn<int>("module");
    QTest::addColumn<bool>("shown");
    QTest::newRow("keyboard") << 1 << true;
    QTest::newRow("exercises") << 2 << true;
    QTest::newRow("phrases") << 3 << true;
    QTest::newRow("text") << 4 << true;
    QTest::newRow("game") << 5 << false;
    QTest::newRow("spreadsheet") << 6 << true;
    QTest::newRow("data entry") << 7 << true;
}

void TestMainForm::statisticsRouting()
{
    QFETCH(int, module);
    QFETCH(bool, shown);
    frame()->showLesson(frame()->lessonOfModule(module));
    m_prompts->fake().modals.clear();
    frame()->action(QStringLiteral("Bilan1"))->trigger();
    QCOMPARE(m_prompts->fake().modals.size(), shown ? 1 : 0);
    if (shown)
        QCOMPARE(m_prompts->fake().modals.first(), static_cast<QDialog *>(forms().Stats));
}

void TestMainForm::characterTableOutsideTextShowsTable()
{
    frame()->showLesson(forms().Exos);
    frame()->Tabledescaractres1Click();
    QCOMPARE(m_prompts->fake().modals, QList<QDialog *>{forms().Caract});
}

void TestMainForm::hiddenChronometersCountRealTime_data()
{
    QTest::addColumn<int>("module");
    QTest::newRow("text") << 4;
    QTest::newRow("spreadsheet") << 6;
}

// The text and spreadsheet lessons show no time, yet their chronometer counts
// one second per tick so that their statistics give real speeds; it stays
// stopped until the learner starts it, and every start counts from 0.
void TestMainForm::hiddenChronometersCountRealTime()
{
    QFETCH(int, module);
    LessonWindow *w = frame()->lessonOfModule(module);
    QAction *mark = frame()->action(QStringLiteral("Chronomtrer1"));
    frame()->showLesson(w);
    QVERIFY(!w->chronometerRunning());
    w->Statistic();
    QCOMPARE(forms().Stats->Edit5()->text(), QStringLiteral("0:0"));
    QCOMPARE(forms().Stats->Edit4()->text(), QString());
    frame()->SpeedButton8Click();
    QVERIFY(w->chronometerRunning());
    QVERIFY(mark->isChecked());
    for (int i = 0; i < 90; ++i)
        w->Timer1Timer();
    QCOMPARE(w->seconds(), 90);
    w->Statistic();
    QCOMPARE(forms().Stats->Edit5()->text(), QStringLiteral("1:30"));
    frame()->SpeedButton8Click();
    QVERIFY(!w->chronometerRunning());
    QVERIFY(!mark->isChecked());
    w->Timer1Timer();
    frame()->SpeedButton8Click();
    QCOMPARE(w->seconds(), 0);
    w->Timer1Timer();
    w->SetIni(2); // another lesson is timed afresh
    QVERIFY(!w->chronometerRunning());
    QCOMPARE(w->seconds(), 0);
}

void TestMainForm::menuCodes()
{
    QCOMPARE(frame()->GetClavMenu(), 1);
    frame()->SetTexteMenu(7);
    QVERIFY(frame()->action(QStringLiteral("CurriculumVitae1"))->isChecked());
    QCOMPARE(frame()->GetTexteMenu(), 7);
    frame()->SetTexteMenu(8);
    QVERIFY(frame()->action(QStringLiteral("Votretexte1"))->isChecked());
    frame()->SetTexteMenu(7);
    frame()->SetTexteMenu(9); // out of range: nothing moves
    frame()->SetTexteMenu(0);
    frame()->SetTexteMenu(-3);
    QCOMPARE(frame()->GetTexteMenu(), 7);
    frame()->SetExosMenu(18);
    QCOMPARE(frame()->GetExosMenu(), 18);
    frame()->SetTabMenu(4);
    QVERIFY(frame()->action(QStringLiteral("Tarifs1"))->isChecked());
    frame()->SetSaisieMenu(3);
    QVERIFY(frame()->action(QStringLiteral("Stock1"))->isChecked());
}

void TestMainForm::hintGoesToStatusPanel()
{
    QStatusTipEvent tip(QStringLiteral("Ouvrir"));
    QApplication::sendEvent(frame()->toolButton(QStringLiteral("SpeedButton5")), &tip);
    QCOMPARE(frame()->hintPanel->text(), QStringLiteral("Ouvrir"));
    QStatusTipEvent empty{QString()};
    QApplication::sendEvent(frame(), &empty);
    QCOMPARE(frame()->hintPanel->text(), QString());
}

void TestMainForm::resizeKeepsClockPanelWidth()
{
    frame()->setWindowState(Qt::WindowNoState);
    frame()->resize(900, 600);
    QCOMPARE(frame()->hintPanel->width(), frame()->width() - 100);
    // The clock takes the rest of the bar, its time centred in it.
    const QRect clock = frame()->clockPanel->geometry();
    QVERIFY(clock.left() - frame()->hintPanel->geometry().right() < 10);
    QVERIFY(frame()->statusBar()->width() - clock.right() < 10);
}

// A disabled Edition item is still highlighted and shows its hint.
void TestMainForm::disabledEditItemsShowTheirHint()
{
    frame()->showLesson(forms().Exos);
    QAction *couper = frame()->action(QStringLiteral("Couper1"));
    QVERIFY(!couper->isEnabled());
    auto *edition = frame()->findChild<QMenu *>(QStringLiteral("Edition1"));
    frame()->menuBar()->setActiveAction(edition->menuAction());
    QTRY_VERIFY(edition->isVisible());
    edition->setActiveAction(couper);
    QCOMPARE(frame()->hintPanel->text(), QStringLiteral("Couper"));
    edition->close();
}

// Windows without border icons have no system menu on their title bar.
void TestMainForm::noSystemMenuWithoutBorderIcons()
{
    for (LessonWindow *w :
         {static_cast<LessonWindow *>(forms().Clavier), static_cast<LessonWindow *>(forms().Saisie)}) {
        frame()->showLesson(w);
        QMdiSubWindow *sub = frame()->subWindowOf(w);
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(sub->width() / 2, 8),
                                sub->mapToGlobal(QPoint(sub->width() / 2, 8)));
        QApplication::sendEvent(sub, &click);
        QVERIFY(!QApplication::activePopupWidget());
    }
}

void TestMainForm::aboutBoxIsModal()
{
    frame()->action(QStringLiteral("About1"))->trigger();
    QCOMPARE(m_prompts->fake().modals.size(), 1);
    QCOMPARE(m_prompts->fake().modals.first()->objectName(), QStringLiteral("TAboutBox"));
}

// Alt+X is the Quitter shortcut and also the mnemonic of "E&xercices":
// Quitter wins, it is not lost as an ambiguous shortcut.
void TestMainForm::altXQuitsThoughExercicesUsesX()
{
    frame()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame()));
    frame()->action(QStringLiteral("Fonctionsdebase1"))->trigger();
    QTRY_VERIFY(forms().Texte->RichEdit2()->hasFocus());
    QTest::keyClick(forms().Texte->RichEdit2(), Qt::Key_X, Qt::AltModifier);
    QTRY_VERIFY(!frame()->isVisible());
    QCOMPARE(forms().Texte->RichEdit2()->toPlainText(), QString());
}

void TestMainForm::f1OpensTheLessonPage_data()
{
    QTest::addColumn<int>("module");
    QTest::addColumn<QString>("title"); // empty: F1 is a key to describe there
    QTest::newRow("keyboard") << 1 << "";
    QTest::newRow("exercises") << 2 << "Exercices";
    QTest::newRow("spreadsheet") << 6 << "Tableur";
    QTest::newRow("data entry") << 7 << "Saisie de fiches";
}

void TestMainForm::f1OpensTheLessonPage()
{
    QFETCH(int, module);
    QFETCH(QString, title);
    LessonWindow *w = frame()->lessonOfModule(module);
    frame()->showLesson(w);
    QWidget *target = w->focusWidget() ? w->focusWidget() : w;
    QTest::keyClick(target, Qt::Key_F1);
    auto *viewer = frame()->findChild<HelpViewer *>();
    QCOMPARE(viewer && viewer->isVisible(), !title.isEmpty());
    if (viewer && !title.isEmpty())
        QCOMPARE(viewer->browser->documentTitle(), title);
}

void TestMainForm::classHidesLessonsAndGivesThemBack_data()
{
    QTest::addColumn<QStringList>("hidden"); // "module:lesson"
    QTest::addColumn<QStringList>("items");
    QTest::newRow("the game") << QStringList{"5:1", "5:2"} << QStringList{"Lettres1", "Mots1"};
    QTest::newRow("an exercise and the review")
        << QStringList{"2:100", "2:4"} << QStringList{"N4erui1", "Revision1"};
    QTest::newRow("the discovery of the keyboard") << QStringList{"1:0"} << QStringList{"Dcouverte1"};
    QTest::newRow("codes no item has") << QStringList{"9:1", "2:abc", "2:-1", "3:0", "4:"} << QStringList{};
}

// The class greys what it hides, over any earlier list, and an empty list
// gives every item back its state and hint.
void TestMainForm::classHidesLessonsAndGivesThemBack()
{
    QFETCH(QStringList, hidden);
    QFETCH(QStringList, items);
    QList<classe::HiddenLesson> lessons;
    for (const QString &h : hidden)
        lessons << classe::HiddenLesson{h.section(u':', 0, 0), h.section(u':', 1)};
    QCOMPARE(hiddenMenuItems(lessons), items);
    const auto state = [this] {
        QStringList all;
        for (const QAction *a : frame()->findChildren<QAction *>())
            if (!a->objectName().isEmpty())
                all << QStringLiteral("%1 %2 %3")
                           .arg(a->objectName())
                           .arg(a->isEnabled())
                           .arg(a->statusTip());
        return all;
    };
    const QStringList before = state();
    frame()->setClassHiddenLessons({{"3", "1"}, {"5", "1"}});
    QVERIFY(!frame()->action(QStringLiteral("Maximes1"))->isEnabled());
    frame()->setClassHiddenLessons(lessons);
    QStringList greyed;
    for (const QAction *a : frame()->findChildren<QAction *>())
        if (!a->isEnabled() && a->statusTip() == QStringLiteral("Masqué par la classe"))
            greyed << a->objectName();
    greyed.sort();
    QCOMPARE(greyed, items);
    if (items.isEmpty())
        QCOMPARE(state(), before);
    // A checked item greyed keeps its mark: the lesson in front stays.
    QVERIFY(frame()->action(QStringLiteral("Dcouverte1"))->isChecked());
    frame()->setClassHiddenLessons({});
    QCOMPARE(state(), before);
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
