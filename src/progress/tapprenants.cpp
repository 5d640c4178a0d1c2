// The learners window and the start-up question.
#include "progress/tapprenants.h"

#include "progress/learnerfile.h"
#include "ui/prompter.h"
#include "ui/safefile.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString kFilter = QStringLiteral("Apprenants Tapivox (*.tapivox)|*.tapivox");
const QString kSuffix = QStringLiteral("tapivox");

// « 37 séances depuis le 2 octobre »
QString history(const progress::Learner &l)
{
    if (l.sessions == 0)
        return QStringLiteral("aucune séance");
    const QString since =
        QLocale(QLocale::French, QLocale::France).toString(l.firstSession.date(), u"d MMMM yyyy");
    return l.sessions == 1 ? QStringLiteral("1 séance, le %1").arg(since)
                           : QStringLiteral("%1 séances depuis le %2").arg(l.sessions).arg(since);
}

QString lastSession(const progress::Learner &l)
{
    return l.lastSession.isValid()
               ? QLocale(QLocale::French, QLocale::France).toString(l.lastSession, u"dd/MM/yyyy HH:mm")
               : QStringLiteral("pas encore de séance");
}

QString week(qint64 seconds)
{
    return seconds < 60
               ? QStringLiteral("moins d'une minute")
               : QStringLiteral("%1 h %2 min").arg(seconds / 3600).arg(seconds / 60 % 60, 2, 10, QChar(u'0'));
}

QTableWidgetItem *cell(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

TApprenants::TApprenants(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TApprenants"));
    setWindowTitle(QStringLiteral("Apprenants"));
    setModal(true);
    resize(640, 400);
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(QStringLiteral("&Qui apprend sur cet ordinateur\u00a0:"), this);
    layout->addWidget(label);
    ListeApprenants = new QTableWidget(0, 4, this);
    ListeApprenants->setObjectName(QStringLiteral("ListeApprenants"));
    ListeApprenants->setHorizontalHeaderLabels({QStringLiteral("Nom"), QStringLiteral("Dernière séance"),
                                                QStringLiteral("Exercices réussis"),
                                                QStringLiteral("Cette semaine")});
    ListeApprenants->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListeApprenants->setSelectionMode(QAbstractItemView::SingleSelection);
    ListeApprenants->verticalHeader()->hide();
    ListeApprenants->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    ListeApprenants->setTabKeyNavigation(false);
    label->setBuddy(ListeApprenants);
    layout->addWidget(ListeApprenants, 1);

    auto *form = new QHBoxLayout;
    auto *nameLabel = new QLabel(QStringLiteral("&Nom\u00a0:"), this);
    NomApprenant = new QLineEdit(this);
    NomApprenant->setObjectName(QStringLiteral("NomApprenant"));
    NomApprenant->setPlaceholderText(QStringLiteral("un prénom ou un pseudonyme"));
    nameLabel->setBuddy(NomApprenant);
    NiveauApprenant = new QComboBox(this);
    NiveauApprenant->setObjectName(QStringLiteral("NiveauApprenant"));
    NiveauApprenant->addItem(QStringLiteral("Je débute"), progress::Learner::kBeginner);
    NiveauApprenant->addItem(QStringLiteral("Je sais déjà taper"), progress::Learner::kCanType);
    NiveauApprenant->setAccessibleName(QStringLiteral("Niveau"));
    // A screen reader on Linux reads a combo box by its current choice and
    // its name through its label.
    auto *levelLabel = new QLabel(QStringLiteral("Ni&veau\u00a0:"), this);
    levelLabel->setBuddy(NiveauApprenant);
    form->addWidget(nameLabel);
    form->addWidget(NomApprenant, 1);
    form->addWidget(levelLabel);
    form->addWidget(NiveauApprenant);
    layout->addLayout(form);

    auto *buttons = new QHBoxLayout;
    const auto button = [this, buttons](const char *name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    AjouterApprenant = button("AjouterApprenant", QStringLiteral("&Ajouter"));
    RenommerApprenant = button("RenommerApprenant", QStringLiteral("&Renommer"));
    RetirerApprenant = button("RetirerApprenant", QStringLiteral("Re&tirer..."));
    ChangerApprenant = button("ChangerApprenant", QStringLiteral("&Changer d'apprenant"));
    ExporterApprenant = button("ExporterApprenant", QStringLiteral("&Exporter..."));
    ImporterApprenant = button("ImporterApprenant", QStringLiteral("&Importer..."));
    buttons->addStretch(1);
    auto *close = button("FermerApprenants", QStringLiteral("&Fermer"));
    layout->addLayout(buttons);
    ChangerApprenant->setDefault(true);

    connect(AjouterApprenant, &QPushButton::clicked, this, &TApprenants::AjouterApprenantClick);
    connect(RenommerApprenant, &QPushButton::clicked, this, &TApprenants::RenommerApprenantClick);
    connect(RetirerApprenant, &QPushButton::clicked, this, &TApprenants::RetirerApprenantClick);
    connect(ChangerApprenant, &QPushButton::clicked, this, &TApprenants::ChangerApprenantClick);
    connect(ExporterApprenant, &QPushButton::clicked, this, &TApprenants::ExporterApprenantClick);
    connect(ImporterApprenant, &QPushButton::clicked, this, &TApprenants::ImporterApprenantClick);
    connect(ListeApprenants, &QTableWidget::cellDoubleClicked, this, &TApprenants::ChangerApprenantClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListeApprenants, &QTableWidget::itemSelectionChanged, this, [this] {
        const qint64 id = selected();
        for (const progress::Learner &l : std::as_const(m_learners))
            if (l.id == id) {
                NomApprenant->setText(l.name);
                NiveauApprenant->setCurrentIndex(l.level == progress::Learner::kCanType ? 1 : 0);
            }
    });
}

void TApprenants::Init(progress::Journal *journal)
{
    m_journal = journal;
    fill(journal ? journal->currentLearner() : 0);
}

void TApprenants::fill(qint64 select)
{
    m_learners = m_journal ? m_journal->learners() : QList<progress::Learner>();
    ListeApprenants->setRowCount(int(m_learners.size()));
    const qint64 current = m_journal ? m_journal->currentLearner() : 0;
    for (int r = 0; r < m_learners.size(); ++r) {
        const progress::Learner &l = m_learners[r];
        ListeApprenants->setItem(r, 0,
                                 cell(l.id == current ? l.name + QStringLiteral(" (en cours)") : l.name));
        ListeApprenants->setItem(r, 1, cell(lastSession(l)));
        ListeApprenants->setItem(r, 2, cell(QString::number(l.passed)));
        ListeApprenants->setItem(r, 3, cell(week(l.weekSeconds)));
        if (l.id == select)
            ListeApprenants->selectRow(r);
    }
    for (QPushButton *b : {AjouterApprenant, RenommerApprenant, RetirerApprenant, ChangerApprenant,
                           ExporterApprenant, ImporterApprenant})
        b->setEnabled(m_journal != nullptr);
    RetirerApprenant->setEnabled(m_journal && m_learners.size() > 1);
}

qint64 TApprenants::selected() const
{
    const int row = ListeApprenants->currentRow();
    return row >= 0 && row < m_learners.size() && ListeApprenants->item(row, 0) &&
                   ListeApprenants->item(row, 0)->isSelected()
               ? m_learners[row].id
               : 0;
}

void TApprenants::showFailure()
{
    ui::prompter().error(this, m_journal->lastError() + QLatin1Char('.'));
}

void TApprenants::AjouterApprenantClick()
{
    if (!m_journal)
        return;
    const qint64 id = m_journal->addLearner(NomApprenant->text(), NiveauApprenant->currentData().toInt());
    if (id <= 0)
        return showFailure();
    fill(id);
}

void TApprenants::RenommerApprenantClick()
{
    const qint64 id = selected();
    if (!m_journal || id <= 0)
        return;
    if (!m_journal->renameLearner(id, NomApprenant->text()) ||
        !m_journal->setLearnerLevel(id, NiveauApprenant->currentData().toInt()))
        return showFailure();
    fill(id);
}

// What is lost is said before anything is, and the history can be kept in
// a file first.
void TApprenants::RetirerApprenantClick()
{
    const qint64 id = selected();
    if (!m_journal || id <= 0)
        return;
    for (const progress::Learner &l : std::as_const(m_learners)) {
        if (l.id != id)
            continue;
        const QString text =
            QStringLiteral("Retirer %1 efface son historique (%2). Enregistrez-le d'abord dans un fichier si "
                           "vous voulez le garder.")
                .arg(l.name, history(l));
        const int answer =
            ui::prompter().choose(this, text,
                                  {QStringLiteral("Enregistrer puis retirer"),
                                   QStringLiteral("Retirer sans enregistrer"), QStringLiteral("Annuler")});
        if (answer == 0 && !exportLearner(id))
            return;
        if (answer != 0 && answer != 1)
            return;
    }
    const bool wasCurrent = m_journal->currentLearner() == id;
    if (!m_journal->removeLearner(id))
        return showFailure();
    fill(0);
    if (wasCurrent)
        emit learnerChosen(m_journal->currentLearner());
}

void TApprenants::ChangerApprenantClick()
{
    const qint64 id = selected();
    if (!m_journal || id <= 0)
        return;
    accept();
    emit learnerChosen(id);
}

bool TApprenants::exportLearner(qint64 id)
{
    const std::optional<progress::LearnerFile> file = m_journal->exportLearner(id);
    if (!file) {
        showFailure();
        return false;
    }
    const QString path = ui::prompter().saveFileName(this, kFilter, kSuffix);
    if (path.isEmpty())
        return false;
    QString reason;
    if (!ui::writeFileSafely(path, file->serialize(), &reason)) {
        ui::prompter().error(this, QStringLiteral("Impossible d'enregistrer «\u00a0%1\u00a0»\u00a0: %2.")
                                       .arg(QDir::toNativeSeparators(path), reason));
        return false;
    }
    return true;
}

void TApprenants::ExporterApprenantClick()
{
    if (const qint64 id = selected(); m_journal && id > 0)
        exportLearner(id);
}

void TApprenants::ImporterApprenantClick()
{
    if (!m_journal)
        return;
    const QString path = ui::prompter().openFileName(this, kFilter, kSuffix);
    if (path.isEmpty())
        return;
    const QString what =
        QStringLiteral("Impossible d'importer «\u00a0%1\u00a0»").arg(QDir::toNativeSeparators(path));
    QByteArray bytes;
    QString reason;
    std::optional<progress::LearnerFile> file;
    if (ui::readRegularFile(path, progress::LearnerFile::kMaxBytes, &bytes, &reason))
        file = progress::LearnerFile::parse(bytes, &reason);
    if (!file) {
        ui::prompter().error(this, QStringLiteral("%1\u00a0: %2.").arg(what, reason));
        return;
    }
    const int added = m_journal->importLearner(*file);
    if (added < 0)
        return showFailure();
    ui::prompter().information(
        this, added == 0 ? QStringLiteral("%1\u00a0: ces séances sont déjà là.").arg(file->learner.name)
                         : QStringLiteral("%1\u00a0: %2 séance%3 ajoutée%3.")
                               .arg(file->learner.name)
                               .arg(added)
                               .arg(added > 1 ? QStringLiteral("s") : QString()));
    fill(selected());
}

QuiApprend::QuiApprend(const QList<progress::Learner> &learners, QWidget *parent)
    : QDialog(parent)
    , m_learners(learners)
{
    setObjectName(QStringLiteral("QuiApprend"));
    setWindowTitle(QStringLiteral("Qui apprend\u00a0?"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(QStringLiteral("&Qui apprend maintenant\u00a0?"), this);
    layout->addWidget(label);
    ListeNoms = new QListWidget(this);
    ListeNoms->setObjectName(QStringLiteral("ListeNoms"));
    for (const progress::Learner &l : learners)
        ListeNoms->addItem(l.name);
    ListeNoms->setCurrentRow(0);
    label->setBuddy(ListeNoms);
    layout->addWidget(ListeNoms);
    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    box->button(QDialogButtonBox::Ok)->setText(QStringLiteral("C'est moi"));
    layout->addWidget(box);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ListeNoms, &QListWidget::itemActivated, this, &QDialog::accept);
    ListeNoms->setFocus();
}

qint64 QuiApprend::chosen() const
{
    const int row = ListeNoms->currentRow();
    return row >= 0 && row < m_learners.size() ? m_learners[row].id : 0;
}
