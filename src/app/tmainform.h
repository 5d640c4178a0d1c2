// The main frame: toolbar, status bar with hint and clock, the menus, and
// the multiple-document area that holds the seven lesson windows.
#pragma once
#include "classe/classwork.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <cstdint>

class LessonWindow;
class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStyle;
class QTimer;
class QToolButton;
class HelpViewer;
class GuideLead;
namespace guide {
class GuideBand;
class GuideWelcome;
} // namespace guide

class TEpreuve;
namespace ui {
class DesktopContrast;
}
namespace classe {
class ClassOutbox;
struct ClassServer;
} // namespace classe
class TMainForm final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMainForm)
public:
    TMainForm();
    ~TMainForm() override;

    // Makes w a child window of the frame (visible, at the top left).
    void addLesson(LessonWindow *w);
    // Makes the lesson window visible and brings it to the front.
    void showLesson(LessonWindow *w);
    // The toolbar button of a lesson: its window in front, as it was left.
    void showLessonOfButton(const char *buttonName);
    // The frame's active child window (also while a modal dialog is open).
    LessonWindow *activeLesson() const;
    QMdiSubWindow *subWindowOf(const LessonWindow *w) const;

    QAction *action(const QString &name) const;
    QToolButton *toolButton(const QString &name) const;

    // Start and end of the run.
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    // The notes are saved, saved elsewhere or given up by the learner's
    // choice before the frame closes; false keeps the program running.
    bool keepNotesBeforeClosing();
    // The session ends: the notes are saved without a question, beside
    // the notes file or in the home folder when it cannot be replaced.
    void saveNotesAtSessionEnd();
    void FormResize();
    void Timer1Timer();
    void ShowHint(const QString &hint);
    void UpdateMenus();

    // Commands.
    void ExitItemClick();
    void About1Click();
    void Nouvelleleon1Click();
    void OpenItemClick();
    void SaveItemClick();
    void Enregistrersous1Click();
    bool Sauver(); // false when the file could not be written (the learner was told)
    void Couper1Click();
    void Copier1Click();
    void Coller1Click();
    void LessonItemClick(QAction *item);
    void SpeedButton1Click() { showLessonOfButton("SpeedButton1"); }
    void SpeedButton2Click() { showLessonOfButton("SpeedButton2"); }
    void SpeedButton7Click() { showLessonOfButton("SpeedButton7"); }
    void SpeedButton3Click() { showLessonOfButton("SpeedButton3"); }
    void SpeedButton13Click() { showLessonOfButton("SpeedButton13"); }
    void SpeedButton14Click() { showLessonOfButton("SpeedButton14"); }
    void SpeedButton4Click() { showLessonOfButton("SpeedButton4"); }
    void SpeedButton9Click();
    void SpeedButton10Click();
    void SpeedButton8Click();
    void SpeedButton12Click();
    void Tabledescaractres1Click();
    void Progression1Click();  // tmainform_progression.cpp
    void Apprenants1Click();   // tmainform_learners.cpp
    void Epreuve1Click();      // tmainform_tests.cpp
    void Testdeniveau1Click(); // tmainform_tests.cpp
    // The teacher's « Classe » window, after their role and password are
    // asked (tmainform_classe_teacher.cpp); the class dialog calls it.
    void openClassWindow(const classe::ClassServer &server);
    // Options › Classe: the pupil's link to their class
    // (tmainform_classe_pupil.cpp).
    void Classe1Click();
    // The learner's class link read again: the outbox and the status bar
    // follow it. Nothing is read from the journal while no link is kept.
    void followClassLink();
    // The linked learner's sessions on their way; null while no learner
    // of this run had a link.
    classe::ClassOutbox *classOutbox() const { return m_outbox; }
    QLabel *classPanel() const { return m_classPanel; }
    // The timed copy test's window, once opened (null before).
    TEpreuve *epreuve() const { return m_epreuve; }
    // Ends the sessions in progress for the learner who typed them, then
    // writes the next ones for another.
    void changeLearner(qint64 id);
    // The class of a linked pupil (tmainform_consignes.cpp): the lessons
    // it hides are greyed in the menus with the hint « Masqué par la
    // classe », and given back exactly as they were by an empty list; the
    // assignments' sentence joins the start offer and each lesson's end.
    // Without a class (both empty) the frame is as it always was.
    void setClassHiddenLessons(const QList<classe::HiddenLesson> &hidden);
    void setClassAssignments(const QList<classe::Assignment> &assignments);
    // The sentence for the learner's journal, with the session in progress
    // when given; empty without assignments.
    QString classAssignmentSentence(const progress::SessionRecord *current = nullptr) const;
    void Calendrier1Click();
    void Clculatrice1Click();
    void Horloge1Click();
    void Blocnotes1Click();
    void HContents();
    void HSearch();
    void HowToUse();
    // Help topic by help context number (F1).
    void showHelpContext(int context);

    // The guide band (tmainform_guide.cpp): built after the first paint,
    // shown under the lesson in front while Options › Guide du clavier is
    // checked, except under the game. Null until built.
    guide::GuideBand *guideBand() const { return m_guide; }
    // In the band at start-up: the first run's greeting or the offer to
    // resume the last session's lesson, read from the journal after the
    // band is built. Null until then.
    guide::GuideWelcome *guideWelcome() const { return m_welcome; }
    GuideLead *guideLead() const { return m_lead; }
    void Guide1Click(bool checked);
    // Options › Sons (tmainform_sounds.cpp): a sound at each refused key,
    // at the end of a lesson; both off unless the learner chose them.
    void readSoundChoices();
    // Options › Contraste élevé (tmainform_guide.cpp), per learner; the
    // band is in high contrast too while the desktop asks for it.
    void readContrastChoice();
    bool highContrast() const;
    const ui::DesktopContrast *desktopContrast() const { return m_desktopContrast; }
    // Options › Taille du texte (tmainform_zoom.cpp): 100 % to 200 %, per
    // learner; textZoom() in percent.
    void readTextZoomChoice();
    int textZoom() const { return m_textZoom; }
    void setTextZoom(int percent);
    // Options › Police du texte: empty for the lessons' own font.
    QString lessonFont() const { return m_lessonFont; }
    void setLessonFont(const QString &family);

    // Menu codes: position from 1 of the checked lesson item of each menu.
    int GetClavMenu() const { return menuCode(1); }
    int GetExosMenu() const { return menuCode(2); }
    int GetPhrasesMenu() const { return menuCode(3); }
    int GetTexteMenu() const { return menuCode(4); }
    int GetJeuMenu() const { return menuCode(5); }
    int GetTabMenu() const { return menuCode(6); }
    int GetSaisieMenu() const { return menuCode(7); }
    void SetClavMenu(std::int32_t code) { setMenuCode(1, code); }
    void SetExosMenu(std::int32_t code) { setMenuCode(2, code); }
    void SetPhrasesMenu(std::int32_t code) { setMenuCode(3, code); }
    void SetTexteMenu(std::int32_t code) { setMenuCode(4, code); }
    void SetJeuMenu(std::int32_t code) { setMenuCode(5, code); }
    void SetTabMenu(std::int32_t code) { setMenuCode(6, code); }
    void SetSaisieMenu(std::int32_t code) { setMenuCode(7, code); }
    int menuCode(int module) const;
    void setMenuCode(int module, std::int32_t code);

    // The lesson window of a module code, or null.
    LessonWindow *lessonOfModule(int module) const;

    QString startFolder;
    QString lessonFileName;
    QString helpFile;

    QWidget *SpeedPanel = nullptr;
    QFrame *Bevel1 = nullptr;
    QFrame *Bevel2 = nullptr;
    QMdiArea *mdiArea = nullptr;
    QLabel *hintPanel = nullptr;  // status panel 0
    QLabel *clockPanel = nullptr; // status panel 1
    QTimer *Timer1 = nullptr;

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void routeChronometer();
    void buildToolbar();
    void buildStatusBar();
    bool askSave(); // the save question; false on Annuler or a failed save
    void newLesson();
    void openLessonFile(const QString &fileName);
    HelpViewer &helpViewer();
    void setupGuide();
    void setupSounds();
    void listenForSounds(LessonWindow *w);
    bool soundWanted(const char *item) const;
    void buildGuide();
    void applyContrast();
    void setupTextZoom();
    void applyTextZoomChoice();
    void zoomLesson(LessonWindow *w);
    // Above 100 %, a lesson window may be larger than the lesson area: the
    // area scrolls to keep the caret and the line above it in sight.
    void followCaret(LessonWindow *w);
    // Builds the controls of one lesson window that has not built them yet,
    // then comes back for the next, one per turn of the event loop.
    void buildLessonsBehind();
    void followGuide();
    void offerStart();
    // « Qui apprend ? » when several learners share the journal, after the
    // first paint; the start offer waits for the answer.
    void askWhoLearns();
    // The title names the learner when there are several.
    void showLearner();

    QHash<int, QActionGroup *> m_groups;                 // each lesson menu's, by module code
    mutable QHash<QString, QPointer<QAction>> m_actions; // found by action(), by name
    bool m_shown = false;
    HelpViewer *m_help = nullptr;
    QStyle *m_menuStyle = nullptr; // owned by the frame
    guide::GuideBand *m_guide = nullptr;
    guide::GuideWelcome *m_welcome = nullptr;
    GuideLead *m_lead = nullptr; // the figures and the end of a lesson in the band
    ui::DesktopContrast *m_desktopContrast = nullptr; // asked once the band is built
    TEpreuve *m_epreuve = nullptr;
    TEpreuve *testWindow();
    // Opens the lesson the placement test sends to, and says the learner
    // can type when it is not the first exercise.
    void followPlacement(int module, int lesson);
    int m_textZoom = 100;
    QString m_lessonFont;
    // The items the class greys, each with what it had before.
    struct HiddenItem
    {
        bool enabled = true;
        QString statusTip;
    };
    QHash<QString, HiddenItem> m_classHidden;
    QList<classe::Assignment> m_classAssignments;
    bool m_guideWanted = false;
    bool m_painted = false;
    bool m_askingLearner = false;
    QString m_learnerGroup; // whose display choices are read: empty for the first learner
    void showClassStatus();
    classe::ClassOutbox *m_outbox = nullptr;
    QLabel *m_classPanel = nullptr; // status panel of the class, between the hint and the clock
};
