// A linked pupil's frame: the lessons the class hides greyed in the menus,
// and the class's assignments told in the start offer and at each lesson's
// end. Nothing here runs without a class.
#include "app/classworkfollow.h"
#include "app/guidelead.h"
#include "app/lessontable.h"
#include "app/menutable.h"
#include "app/tmainform.h"
#include "classe/pupillink.h"
#include "classe/workfollower.h"
#include "guide/guidewelcome.h"
#include "progress/journal.h"
#include "progress/recording.h"
#include "ui/caption.h"

#include <QAction>
#include <QFileInfo>

#include <cstring>

namespace {

const QString kHiddenHint = QStringLiteral("Masqué par la classe");

// « Phrases, Maximes »; empty for a code no menu item has.
QString lessonName(int module, int lesson)
{
    const LessonDef *row = lessonRow(module);
    const MenuDef *menu = row ? lessonMenu(*row) : nullptr;
    if (menu)
        for (const MenuItemDef &item : menu->items)
            if (item.code == lesson && std::strcmp(item.caption, "-") != 0)
                return QStringLiteral("%1, %2").arg(QString::fromUtf8(row->family),
                                                    ui::captionText(QString::fromUtf8(item.caption)));
    return {};
}

} // namespace

void TMainForm::setClassHiddenLessons(const QList<classe::HiddenLesson> &hidden)
{
    for (auto it = m_classHidden.cbegin(); it != m_classHidden.cend(); ++it)
        if (QAction *item = action(it.key())) {
            item->setEnabled(it->enabled);
            item->setStatusTip(it->statusTip);
        }
    m_classHidden.clear();
    for (const QString &name : hiddenMenuItems(hidden)) {
        QAction *item = action(name);
        if (!item)
            continue;
        m_classHidden.insert(name, {item->isEnabled(), item->statusTip()});
        item->setEnabled(false);
        item->setStatusTip(kHiddenHint);
    }
}

void TMainForm::setClassAssignments(const QList<classe::Assignment> &assignments)
{
    m_classAssignments = assignments;
    if (m_welcome)
        m_welcome->setAssignment(classAssignmentSentence());
}

QString TMainForm::classAssignmentSentence(const progress::SessionRecord *current) const
{
    if (m_classAssignments.isEmpty())
        return {};
    QList<int> modules;
    for (const classe::Assignment &a : m_classAssignments)
        if (const int module = a.module.toInt(); module > 0 && !modules.contains(module))
            modules << module;
    // Only the modules assigned are read: a long journal costs little here.
    QList<progress::SessionRecord> sessions;
    // A journal never written yet is not created here.
    if (progress::Journal *journal = progress::journal(); journal && QFileInfo::exists(journal->path()))
        for (const int module : std::as_const(modules))
            sessions += journal->sessions(module);
    if (current)
        sessions << *current;
    return classe::assignmentSentence(m_classAssignments, sessions, QDate::currentDate(), lessonName);
}

void followClassWork(TMainForm *frame)
{
    auto *follower =
        frame->findChild<classe::WorkFollower *>(QStringLiteral("SuiviClasse"), Qt::FindDirectChildrenOnly);
    if (!follower) {
        if (!classe::keptLink())
            return;
        follower = new classe::WorkFollower(
            [frame](const classe::ClassWork &work) {
                frame->setClassHiddenLessons(work.hidden);
                frame->setClassAssignments(work.assignments);
            },
            frame);
        follower->setObjectName(QStringLiteral("SuiviClasse"));
        // The outbox and the status bar learn it too.
        QObject::connect(follower, &classe::WorkFollower::linkCut, frame, &TMainForm::followClassLink);
    }
    follower->follow();
}
