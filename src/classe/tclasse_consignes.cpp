// The « Classe » window's dialogs for what the class asks of its pupils:
// the objective the grid marks, the assignments, the lessons hidden.
#include "classe/tclasse.h"

#include "ui/prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>

namespace classe {

namespace {

QDoubleSpinBox *precisionBox(QWidget *parent, const char *name, double value)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setLocale(QLocale(QLocale::French));
    box->setRange(0, 100);
    box->setDecimals(1);
    box->setSingleStep(0.5);
    box->setSuffix(QStringLiteral("\u00a0%"));
    box->setValue(value);
    return box;
}

QSpinBox *speedBox(QWidget *parent, const char *name, int value)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(0, 150);
    box->setSuffix(QStringLiteral("\u00a0mots/min"));
    box->setValue(value);
    return box;
}

QDialogButtonBox *okCancel(QDialog *dialog, const QString &okText)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(okText);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QString frenchPercent(double value)
{
    return QLocale(QLocale::French).toString(value, 'f', std::round(value) == value ? 0 : 1) +
           QStringLiteral("\u00a0%");
}

} // namespace

QString TClasse::lessonCaption(const QString &module, const QString &lesson) const
{
    for (const progress::LessonFamily &family : m_families)
        if (QString::number(family.module) == module)
            for (const auto &[code, caption] : family.lessons)
                if (QString::number(code) == lesson)
                    return caption;
    return lesson;
}

QString TClasse::assignmentText(const Assignment &a, const QList<PupilEntry> &pupils) const
{
    QString family = a.module;
    for (const progress::LessonFamily &f : m_families)
        if (QString::number(f.module) == a.module)
            family = f.name;
    const bool range = a.lastLesson != a.firstLesson;
    QString what;
    if (a.module.toInt() == progress::kExercisesModule && a.firstLesson.toInt() < progress::kReviewLesson)
        what = range ? QStringLiteral("Exercices %1 à %2").arg(a.firstLesson, a.lastLesson)
                     : QStringLiteral("Exercice %1").arg(a.firstLesson);
    else
        what = range ? QStringLiteral("%1\u00a0: %2 à %3")
                           .arg(family, lessonCaption(a.module, a.firstLesson),
                                lessonCaption(a.module, a.lastLesson))
                     : QStringLiteral("%1\u00a0: %2").arg(family, lessonCaption(a.module, a.firstLesson));
    what += QStringLiteral(", ") + frenchPercent(a.precision);
    if (a.speed > 0)
        what += QStringLiteral(" et %1\u00a0mots/min").arg(a.speed);
    if (a.due.isValid())
        what += QStringLiteral(", avant ") + dueText(a.due, m_now().date());
    QString who = QStringLiteral("toute la classe");
    if (a.pupilId > 0) {
        who = QStringLiteral("un élève retiré");
        for (const PupilEntry &p : pupils)
            if (p.id == a.pupilId)
                who = p.name;
    }
    return what + QStringLiteral(" — ") + who;
}

void TClasse::editObjective()
{
    if (!m_grid)
        return;
    const TeacherClass klass = m_grid->klass;
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("DialogueObjectif"));
    dialog.setWindowTitle(QStringLiteral("Objectif de la classe %1").arg(klass.name));
    auto *layout = new QVBoxLayout(&dialog);
    auto *note = new QLabel(QStringLiteral("Une séance tapée jusqu'au bout atteint l'objectif avec au moins "
                                           "cette précision et cette vitesse\u00a0; la grille la marque "
                                           "d'un ✓, et les nouvelles consignes partent de ces chiffres."),
                            &dialog);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto *form = new QFormLayout;
    auto *precision = precisionBox(&dialog, "PrecisionObjectif", klass.objectivePrecision);
    auto *speed = speedBox(&dialog, "VitesseObjectif", klass.objectiveSpeed);
    form->addRow(QStringLiteral("&Précision\u00a0:"), precision);
    form->addRow(QStringLiteral("&Vitesse\u00a0:"), speed);
    layout->addLayout(form);
    layout->addWidget(okCancel(&dialog, QStringLiteral("Enregistrer")));
    if (ui::prompter().showModal(&dialog) != QDialog::Accepted)
        return;
    if (!m_client->setObjective(klass.id, precision->value(), speed->value()))
        tell(m_client->message());
    for (TeacherClass &c : m_classes)
        if (c.id == klass.id)
            c.objectivePrecision = precision->value(), c.objectiveSpeed = speed->value();
    showClass(klass.id);
}

void TClasse::editAssignments()
{
    if (!m_grid)
        return;
    const TeacherClass klass = m_grid->klass;
    const QList<PupilEntry> pupils = m_client->pupils(klass.id);
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("DialogueConsignes"));
    dialog.setWindowTitle(QStringLiteral("Consignes de la classe %1").arg(klass.name));
    dialog.resize(640, 480);
    auto *layout = new QVBoxLayout(&dialog);
    auto *list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("ListeConsignes"));
    layout->addWidget(list);
    const auto fill = [&] {
        list->clear();
        const QList<Assignment> assigned = m_client->assignments(klass.id);
        if (m_client->failure() != Failure::None)
            return tell(m_client->message());
        for (const Assignment &a : assigned) {
            auto *item = new QListWidgetItem(assignmentText(a, pupils), list);
            item->setData(Qt::UserRole, a.id);
        }
    };
    auto *remove = new QPushButton(QStringLiteral("&Retirer la consigne"), &dialog);
    remove->setObjectName(QStringLiteral("RetirerConsigne"));
    remove->setAutoDefault(false);
    auto *removeRow = new QHBoxLayout;
    removeRow->addStretch();
    removeRow->addWidget(remove);
    layout->addLayout(removeRow);

    auto *group = new QGroupBox(QStringLiteral("Nouvelle consigne"), &dialog);
    auto *form = new QFormLayout(group);
    auto *who = new QComboBox(group);
    who->setObjectName(QStringLiteral("PourConsigne"));
    who->addItem(QStringLiteral("Toute la classe"), qint64(0));
    for (const PupilEntry &p : pupils)
        who->addItem(p.name, p.id);
    auto *family = new QComboBox(group);
    family->setObjectName(QStringLiteral("FamilleConsigne"));
    for (const progress::LessonFamily &f : std::as_const(m_families))
        if (!f.lessons.isEmpty())
            family->addItem(f.name, f.module);
    auto *first = new QComboBox(group);
    first->setObjectName(QStringLiteral("PremiereLecon"));
    auto *last = new QComboBox(group);
    last->setObjectName(QStringLiteral("DerniereLecon"));
    const auto lessonsOf = [this](int module) {
        for (const progress::LessonFamily &f : std::as_const(m_families))
            if (f.module == module)
                return f.lessons;
        return QList<QPair<std::int32_t, QString>>();
    };
    // The last lesson of a range: the first one or a later one of its
    // numbering (the review is a lesson of its own, not the end of a range).
    const auto fillLast = [=] {
        last->clear();
        const int from = first->currentData().toInt();
        for (const auto &[code, caption] : lessonsOf(family->currentData().toInt()))
            if (code == from || (code > from && code < progress::kReviewLesson))
                last->addItem(caption, code);
    };
    const auto fillFirst = [=] {
        first->clear();
        for (const auto &[code, caption] : lessonsOf(family->currentData().toInt()))
            first->addItem(caption, code);
        fillLast();
    };
    connect(family, &QComboBox::currentIndexChanged, &dialog, fillFirst);
    connect(first, &QComboBox::activated, &dialog, fillLast);
    fillFirst();
    auto *precision = precisionBox(group, "PrecisionConsigne", klass.objectivePrecision);
    auto *speed = speedBox(group, "VitesseConsigne", klass.objectiveSpeed);
    auto *dated = new QCheckBox(QStringLiteral("Avan&t le"), group);
    dated->setObjectName(QStringLiteral("AvecDate"));
    dated->setChecked(true);
    auto *due = new QDateEdit(m_now().date().addDays(7), group);
    due->setObjectName(QStringLiteral("DateConsigne"));
    due->setCalendarPopup(true);
    due->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    connect(dated, &QCheckBox::toggled, due, &QWidget::setEnabled);
    form->addRow(QStringLiteral("Po&ur\u00a0:"), who);
    form->addRow(QStringLiteral("&Leçons\u00a0:"), family);
    form->addRow(QStringLiteral("&De\u00a0:"), first);
    form->addRow(QStringLiteral("&Jusqu'à\u00a0:"), last);
    form->addRow(QStringLiteral("Pré&cision\u00a0:"), precision);
    form->addRow(QStringLiteral("&Vitesse\u00a0:"), speed);
    form->addRow(dated, due);
    auto *add = new QPushButton(QStringLiteral("&Ajouter la consigne"), group);
    add->setObjectName(QStringLiteral("AjouterConsigne"));
    add->setAutoDefault(false);
    form->addRow(add);
    layout->addWidget(group);
    auto *close = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    close->button(QDialogButtonBox::Close)->setText(QStringLiteral("Fermer"));
    connect(close, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(close);

    connect(add, &QPushButton::clicked, &dialog, [&] {
        if (first->currentIndex() < 0 || last->currentIndex() < 0)
            return;
        const Assignment a{0,
                           who->currentData().toLongLong(),
                           QString::number(family->currentData().toInt()),
                           QString::number(first->currentData().toInt()),
                           QString::number(last->currentData().toInt()),
                           precision->value(),
                           speed->value(),
                           dated->isChecked() ? due->date() : QDate()};
        if (!m_client->addAssignment(klass.id, a))
            tell(m_client->message());
        fill();
    });
    connect(remove, &QPushButton::clicked, &dialog, [&] {
        const QListWidgetItem *item = list->currentItem();
        if (!item)
            return;
        if (!m_client->deleteAssignment(item->data(Qt::UserRole).toLongLong()))
            tell(m_client->message());
        fill();
    });
    fill();
    ui::prompter().showModal(&dialog);
}

void TClasse::editHiddenLessons()
{
    if (!m_grid)
        return;
    const TeacherClass klass = m_grid->klass;
    const QList<HiddenLesson> hidden = m_client->hiddenLessons(klass.id);
    if (m_client->failure() != Failure::None)
        return tell(m_client->message());
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("DialogueLeconsMasquees"));
    dialog.setWindowTitle(QStringLiteral("Leçons masquées pour la classe %1").arg(klass.name));
    dialog.resize(480, 560);
    auto *layout = new QVBoxLayout(&dialog);
    auto *note = new QLabel(QStringLiteral("Les leçons cochées sont grisées dans les menus des élèves de la "
                                           "classe, avec les mots «\u00a0Masqué par la classe\u00a0». Elles "
                                           "reviennent quand l'élève quitte la classe."),
                            &dialog);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto *tree = new QTreeWidget(&dialog);
    tree->setObjectName(QStringLiteral("ListeLecons"));
    tree->setHeaderHidden(true);
    QList<QPair<HiddenLesson, QTreeWidgetItem *>> items;
    for (const progress::LessonFamily &f : std::as_const(m_families)) {
        if (f.lessons.isEmpty())
            continue;
        auto *top = new QTreeWidgetItem(tree, {f.name});
        top->setFlags(Qt::ItemIsEnabled);
        for (const auto &[code, caption] : f.lessons) {
            const HiddenLesson lesson{QString::number(f.module), QString::number(code)};
            auto *item = new QTreeWidgetItem(top, {caption});
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
            item->setCheckState(0, hidden.contains(lesson) ? Qt::Checked : Qt::Unchecked);
            items << qMakePair(lesson, item);
        }
    }
    tree->expandAll();
    layout->addWidget(tree);
    layout->addWidget(okCancel(&dialog, QStringLiteral("Enregistrer")));
    if (ui::prompter().showModal(&dialog) != QDialog::Accepted)
        return;
    for (const auto &[lesson, item] : std::as_const(items)) {
        const bool hide = item->checkState(0) == Qt::Checked;
        if (hide != hidden.contains(lesson) && !m_client->setHidden(klass.id, lesson, hide))
            return tell(m_client->message());
    }
}

} // namespace classe
