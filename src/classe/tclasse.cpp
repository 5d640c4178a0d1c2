// The teacher's window on a class and the login that opens it.
#include "classe/tclasse.h"
#include "progress/tprogression.h"

#include "ui/accessories_printer.h"
#include "ui/prompter.h"
#include "ui/safefile.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace classe {

namespace {

constexpr qint64 kMaxCsvBytes = 1 << 20;

QString decimal(double value)
{
    return QString::number(value, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','));
}

QPushButton *button(QWidget *parent, const char *name, const QString &text, QLayout *layout)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    layout->addWidget(b);
    return b;
}

} // namespace

TeacherLogin::TeacherLogin(const ClassServer &server, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ConnexionEnseignant"));
    setWindowTitle(QStringLiteral("Connexion de l'enseignant"));
    auto *layout = new QVBoxLayout(this);
    auto *where = new QLabel(QStringLiteral("Serveur de la classe\u00a0: %1, base «\u00a0%2\u00a0»")
                                 .arg(server.address(), server.database),
                             this);
    layout->addWidget(where);
    auto *form = new QFormLayout;
    auto *role = new QLineEdit(this);
    role->setObjectName(QStringLiteral("RoleEnseignant"));
    auto *password = new QLineEdit(this);
    password->setObjectName(QStringLiteral("MotDePasseEnseignant"));
    password->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("&Rôle (identifiant)\u00a0:"), role);
    form->addRow(QStringLiteral("&Mot de passe\u00a0:"), password);
    layout->addLayout(form);
    const QString warning = unencryptedWarning(server);
    if (!warning.isEmpty()) {
        auto *label = new QLabel(warning, this);
        label->setObjectName(QStringLiteral("AvertissementChiffrement"));
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    auto *note = new QLabel(QStringLiteral("Le mot de passe n'est jamais enregistré sur ce poste."), this);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Se connecter"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QString TeacherLogin::role() const
{
    return findChild<QLineEdit *>(QStringLiteral("RoleEnseignant"))->text().trimmed();
}

QString TeacherLogin::password() const
{
    return findChild<QLineEdit *>(QStringLiteral("MotDePasseEnseignant"))->text();
}

TClasse::TClasse(std::unique_ptr<TeacherClient> client, QList<progress::LessonFamily> families,
                 QWidget *parent)
    : QDialog(parent)
    , m_client(std::move(client))
    , m_families(std::move(families))
    , m_now([] { return QDateTime::currentDateTime(); })
{
    setObjectName(QStringLiteral("TClasse"));
    setWindowTitle(QStringLiteral("Classe — %1").arg(m_client->server().user));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(900, 560);
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    auto *label = new QLabel(QStringLiteral("&Classe\u00a0:"), this);
    m_classList = new QComboBox(this);
    m_classList->setObjectName(QStringLiteral("ListeClasses"));
    label->setBuddy(m_classList);
    top->addWidget(label);
    top->addWidget(m_classList, 1);
    connect(button(this, "NouvelleClasse", QStringLiteral("&Nouvelle classe…"), top), &QPushButton::clicked,
            this, &TClasse::newClass);
    connect(button(this, "Actualiser", QStringLiteral("&Actualiser"), top), &QPushButton::clicked, this,
            &TClasse::refresh);
    layout->addLayout(top);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("ResumeClasse"));
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);
    m_missed = new QLabel(this);
    m_missed->setObjectName(QStringLiteral("CaracteresManques"));
    m_missed->setWordWrap(true);
    layout->addWidget(m_missed);
    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("GrilleClasse"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    layout->addWidget(m_table, 1);
    auto *work = new QHBoxLayout;
    connect(button(this, "ObjectifClasse", QStringLiteral("&Objectif…"), work), &QPushButton::clicked, this,
            &TClasse::editObjective);
    connect(button(this, "ConsignesClasse", QStringLiteral("&Donner des consignes…"), work),
            &QPushButton::clicked, this, &TClasse::editAssignments);
    connect(button(this, "LeconsMasquees", QStringLiteral("&Leçons masquées…"), work), &QPushButton::clicked,
            this, &TClasse::editHiddenLessons);
    work->addStretch();
    layout->addLayout(work);
    auto *pupils = new QHBoxLayout;
    connect(button(this, "AjouterEleves", QStringLiteral("A&jouter des élèves…"), pupils),
            &QPushButton::clicked, this, &TClasse::addTypedPupils);
    connect(button(this, "ImporterEleves", QStringLiteral("&Importer une liste (CSV)…"), pupils),
            &QPushButton::clicked, this, &TClasse::importPupils);
    connect(button(this, "SupprimerEleve", QStringLiteral("&Supprimer l'élève"), pupils),
            &QPushButton::clicked, this, &TClasse::deleteSelectedPupil);
    connect(button(this, "FinAnnee", QStringLiteral("&Fin d'année…"), pupils), &QPushButton::clicked, this,
            &TClasse::endOfYear);
    connect(button(this, "ProgressionEleve", QStringLiteral("Pro&gression de l'élève"), pupils),
            &QPushButton::clicked, this, &TClasse::showPupilProgression);
    pupils->addStretch();
    connect(button(this, "ExporterCsv", QStringLiteral("&Exporter (CSV)…"), pupils), &QPushButton::clicked,
            this, &TClasse::exportCsv);
    connect(button(this, "ImprimerGrille", QStringLiteral("Im&primer…"), pupils), &QPushButton::clicked, this,
            &TClasse::printGrid);
    connect(button(this, "FermerClasse", QStringLiteral("Fermer"), pupils), &QPushButton::clicked, this,
            &QDialog::close);
    layout->addLayout(pupils);
    connect(m_classList, &QComboBox::activated, this, [this] { showClass(classId()); });
}

TClasse::~TClasse() = default;

qint64 TClasse::classId() const
{
    return m_classList->currentData().toLongLong();
}

QString TClasse::exerciseLabel(const ExerciseKey &key) const
{
    for (const progress::LessonFamily &family : m_families)
        if (QString::number(family.module) == key.module)
            return family.name + QLatin1Char(' ') + key.lesson;
    return key.module + QLatin1Char(':') + key.lesson;
}

void TClasse::tell(const QString &failureMessage)
{
    ui::prompter().error(this, failureMessage);
}

void TClasse::refresh()
{
    const qint64 shown = classId();
    m_classes = m_client->myClasses();
    if (m_client->failure() != Failure::None)
        return tell(m_client->message());
    m_classList->clear();
    for (const TeacherClass &c : m_classes)
        m_classList->addItem(c.name, c.id);
    const int index = m_classList->findData(shown);
    m_classList->setCurrentIndex(index >= 0 ? index : 0);
    showClass(classId());
}

void TClasse::showClass(qint64 id)
{
    const int index = m_classList->findData(id);
    if (index >= 0)
        m_classList->setCurrentIndex(index);
    m_grid.reset();
    if (id > 0) {
        m_grid = m_client->grid(id, m_now());
        if (!m_grid)
            tell(m_client->message());
    }
    fillGrid();
}

void TClasse::fillGrid()
{
    m_table->clear();
    if (!m_grid) {
        m_table->setRowCount(0);
        m_table->setColumnCount(0);
        m_summary->setText(m_classes.isEmpty() ? QStringLiteral("Aucune classe\u00a0: créez-en une.")
                                               : QString());
        m_missed->clear();
        return;
    }
    const ClassGrid &g = *m_grid;
    int stuck = 0;
    for (const GridRow &row : g.rows)
        stuck += row.stuckOn.isEmpty() ? 0 : 1;
    m_summary->setText(
        QStringLiteral("Code de la classe\u00a0: %1 — objectif\u00a0: %2\u00a0% et %3\u00a0mots/min — "
                       "%4\u00a0élève(s), %5 qui bloque(nt)")
            .arg(g.klass.code, decimal(g.klass.objectivePrecision))
            .arg(g.klass.objectiveSpeed)
            .arg(g.rows.size())
            .arg(stuck));
    QStringList missed;
    for (const MissedCharacter &m : g.missed)
        missed << QStringLiteral("« %1 » (%2 fois sur %3)")
                      .arg(m.character == QLatin1String(" ") ? QStringLiteral("espace") : m.character)
                      .arg(m.missed)
                      .arg(m.typed);
    m_missed->setText(missed.isEmpty()
                          ? QStringLiteral("Caractères les plus manqués : aucun pour l'instant.")
                          : QStringLiteral("Caractères les plus manqués : %1.").arg(missed.join(QStringLiteral(", "))));
    QStringList heading{QStringLiteral("Élève")};
    for (const ExerciseKey &key : g.exercises)
        heading << exerciseLabel(key);
    heading << QStringLiteral("Dernière séance") << QStringLiteral("Cette semaine")
            << QStringLiteral("Qui bloque");
    m_table->setColumnCount(int(heading.size()));
    m_table->setHorizontalHeaderLabels(heading);
    m_table->setRowCount(int(g.rows.size()));
    const int last = int(g.exercises.size()) + 1;
    for (int r = 0; r < g.rows.size(); ++r) {
        const GridRow &row = g.rows[r];
        auto *name = new QTableWidgetItem(row.name);
        name->setData(Qt::UserRole, row.pupilId);
        m_table->setItem(r, 0, name);
        for (int c = 0; c < g.exercises.size(); ++c) {
            const auto cell = row.cells.constFind(g.exercises[c]);
            if (cell == row.cells.constEnd())
                continue;
            auto *item = new QTableWidgetItem(QStringLiteral("%1\u00a0% · %2\u00a0mots/min%3")
                                                  .arg(decimal(cell->bestPrecision))
                                                  .arg(cell->bestSpeed)
                                                  .arg(cell->met ? QStringLiteral(" ✓") : QString()));
            if (cell->met)
                item->setToolTip(QStringLiteral("Objectif de la classe atteint"));
            m_table->setItem(r, c + 1, item);
        }
        m_table->setItem(r, last,
                         new QTableWidgetItem(
                             row.lastSession.isValid()
                                 ? row.lastSession.toLocalTime().toString(QStringLiteral("dd/MM/yyyy HH:mm"))
                                 : QStringLiteral("—")));
        m_table->setItem(
            r, last + 1,
            new QTableWidgetItem(QStringLiteral("%1\u00a0min").arg((row.secondsThisWeek + 30) / 60)));
        QStringList on;
        for (const ExerciseKey &key : row.stuckOn)
            on << exerciseLabel(key);
        m_table->setItem(r, last + 2, new QTableWidgetItem(on.join(QStringLiteral(", "))));
    }
    m_table->resizeColumnsToContents();
}

void TClasse::newClass()
{
    bool ok = false;
    const QString name = QInputDialog::getText(this, QStringLiteral("Nouvelle classe"),
                                               QStringLiteral("Nom de la classe (par exemple CM2 B)\u00a0:"),
                                               QLineEdit::Normal, {}, &ok)
                             .simplified();
    if (!ok || name.isEmpty())
        return;
    const auto made = m_client->createClass(name);
    if (!made)
        return tell(m_client->message());
    m_classList->addItem(made->name, made->id);
    m_classes << *made;
    showClass(made->id);
}

void TClasse::addTypedPupils()
{
    if (classId() <= 0)
        return;
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("AjoutEleves"));
    dialog.setWindowTitle(QStringLiteral("Ajouter des élèves"));
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(
        new QLabel(QStringLiteral("Un nom ou un pseudonyme par ligne. Rien d'autre n'est gardé\u00a0: "
                                  "ni adresse, ni courriel."),
                   &dialog));
    auto *names = new QPlainTextEdit(&dialog);
    names->setObjectName(QStringLiteral("NomsEleves"));
    layout->addWidget(names);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Créer et imprimer les cartes"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (ui::prompter().showModal(&dialog) != QDialog::Accepted)
        return;
    addPupils(names->document()->toRawText().split(QChar::ParagraphSeparator));
}

void TClasse::importPupils()
{
    if (classId() <= 0)
        return;
    const QString file = ui::prompter().openFileName(
        this, QStringLiteral("Listes CSV (*.csv *.txt)|*.csv;*.txt"), QStringLiteral("csv"));
    if (file.isEmpty())
        return;
    QByteArray bytes;
    QString error;
    if (!ui::readRegularFile(file, kMaxCsvBytes, &bytes, &error))
        return tell(QStringLiteral("Le fichier %1 ne peut pas être lu\u00a0: %2")
                        .arg(QDir::toNativeSeparators(file), error));
    const NameImport import = namesFromCsv(bytes);
    if (!import.error.isEmpty())
        return tell(import.error);
    addPupils(import.names);
}

void TClasse::addPupils(const QStringList &names)
{
    const auto klass = std::find_if(m_classes.cbegin(), m_classes.cend(),
                                    [this](const TeacherClass &c) { return c.id == classId(); });
    if (klass == m_classes.cend())
        return;
    const QList<NewPupil> added = m_client->addPupils(klass->id, names);
    if (added.isEmpty()) {
        if (m_client->failure() != Failure::None)
            tell(m_client->message());
        return;
    }
    // The codes are shown once more here, so that a print that fails loses
    // none of them.
    QStringList codes;
    for (const NewPupil &p : added)
        codes << QStringLiteral("%1\u00a0: %2").arg(p.name, p.code);
    ui::printOrSavePdf(this, cardLines(*klass, added), QFontDatabase::systemFont(QFontDatabase::GeneralFont),
                       QStringLiteral("Cartes de la classe %1").arg(klass->name));
    ui::prompter().information(
        this,
        QStringLiteral("Les codes personnels ne sont connus que maintenant (le serveur n'en garde qu'une "
                       "empreinte)\u00a0: distribuez les cartes imprimées. Code de la classe\u00a0: %1\n\n%2")
            .arg(klass->code, codes.join(QLatin1Char('\n'))));
    showClass(klass->id);
}

void TClasse::deleteSelectedPupil()
{
    const int row = m_table->currentRow();
    const QTableWidgetItem *name = row >= 0 ? m_table->item(row, 0) : nullptr;
    if (!name)
        return;
    if (!ui::prompter().confirm(
            this,
            QStringLiteral("Supprimer %1 de la classe\u00a0? Ses séances sont supprimées du "
                           "serveur avec lui, sans retour.")
                .arg(name->text()),
            QStringLiteral("Supprimer")))
        return;
    if (!m_client->deletePupil(name->data(Qt::UserRole).toLongLong()))
        tell(m_client->message());
    showClass(classId());
}

TProgression *TClasse::pupilProgression() const
{
    return m_progression;
}

void TClasse::showPupilProgression()
{
    const int row = m_table->currentRow();
    const QTableWidgetItem *name = row >= 0 ? m_table->item(row, 0) : nullptr;
    if (!name) {
        ui::prompter().information(this, QStringLiteral("Choisissez d'abord un élève dans la grille."));
        return;
    }
    const std::optional<QList<progress::SessionRecord>> sessions =
        m_client->pupilSessions(name->data(Qt::UserRole).toLongLong());
    if (!sessions) {
        tell(m_client->message());
        return;
    }
    if (m_progression)
        m_progression->close();
    auto *w = new TProgression(m_families, this);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowTitle(QStringLiteral("Progression de %1").arg(name->text()));
    // The pupil's history is theirs, on their computer: nothing to clear or
    // to review from here.
    w->Button2->hide();
    w->Reviser1->hide();
    w->Init(nullptr, *sessions);
    w->showModule(progress::kExercisesModule);
    w->show();
    m_progression = w;
}

void TClasse::endOfYear()
{
    if (!m_grid)
        return;
    if (!ui::prompter().confirm(
            this,
            QStringLiteral("Fin d'année pour %1\u00a0: tous ses élèves et toutes leurs séances "
                           "sont supprimés du serveur, sans retour. La classe, son code et ses "
                           "réglages restent.")
                .arg(m_grid->klass.name),
            QStringLiteral("Vider la classe")))
        return;
    if (!m_client->emptyClass(m_grid->klass.id))
        tell(m_client->message());
    showClass(classId());
}

void TClasse::exportCsv()
{
    if (!m_grid)
        return;
    const QString file = ui::prompter().saveFileName(this, QStringLiteral("Fichiers CSV (*.csv)|*.csv"),
                                                     QStringLiteral("csv"));
    if (file.isEmpty())
        return;
    QString error;
    if (!ui::writeFileSafely(
            file, gridCsv(*m_grid, [this](const ExerciseKey &k) { return exerciseLabel(k); }), &error))
        tell(QStringLiteral("Le fichier %1 n'a pas été écrit\u00a0: %2")
                 .arg(QDir::toNativeSeparators(file), error));
}

void TClasse::printGrid()
{
    if (!m_grid)
        return;
    ui::printOrSavePdf(this, gridLines(*m_grid, [this](const ExerciseKey &k) { return exerciseLabel(k); }),
                       QFontDatabase::systemFont(QFontDatabase::GeneralFont),
                       QStringLiteral("Classe %1").arg(m_grid->klass.name));
}

} // namespace classe
