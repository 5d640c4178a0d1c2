// The class dialog: joining, the link, leaving, the teacher's way in.
#include "classe/dialogueclasse.h"

#include "classe/classsender.h"
#include "ui/prompter.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <utility>

namespace classe {

namespace {

const char *const kModes[] = {"verify-full", "verify-ca", "require", "prefer", "allow", "disable"};

QLineEdit *field(QWidget *parent, const char *name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QPushButton *button(QWidget *parent, const char *name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QString sentence(const QString &words)
{
    return words.isEmpty() || words.endsWith(QLatin1Char('.')) ? words : words + QLatin1Char('.');
}

} // namespace

DialogueClasse::DialogueClasse(QWidget *parent)
    : QDialog(parent)
    , m_now([] { return QDateTime::currentDateTime(); })
    , m_link(keptLink())
{
    setObjectName(QStringLiteral("DialogueClasse"));
    setWindowTitle(QStringLiteral("Classe"));
    auto *layout = new QVBoxLayout(this);
    // The dialog takes the height of what it shows: joining, or the link.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto *serverBox = new QGroupBox(QStringLiteral("Serveur de la classe"), this);
    serverBox->setObjectName(QStringLiteral("ServeurClasse"));
    auto *serverForm = new QFormLayout(serverBox);
    m_host = field(serverBox, "Adresse");
    m_host->setPlaceholderText(QStringLiteral("serveur.ecole.example"));
    m_port = new QSpinBox(serverBox);
    m_port->setObjectName(QStringLiteral("Port"));
    m_port->setRange(1, 65535);
    m_database = field(serverBox, "Base");
    m_sslmode = new QComboBox(serverBox);
    m_sslmode->setObjectName(QStringLiteral("ModeTLS"));
    m_sslmode->setAccessibleName(QStringLiteral("Chiffrement"));
    for (const char *mode : kModes)
        m_sslmode->addItem(qstrcmp(mode, "verify-full") == 0 ? QStringLiteral("verify-full (recommandé)")
                                                             : QLatin1String(mode),
                           QLatin1String(mode));
    m_role = field(serverBox, "RoleEleves");
    m_password = field(serverBox, "MotDePasseEleves");
    m_password->setEchoMode(QLineEdit::Password);
    serverForm->addRow(QStringLiteral("&Adresse du serveur\u00a0:"), m_host);
    serverForm->addRow(QStringLiteral("&Port\u00a0:"), m_port);
    serverForm->addRow(QStringLiteral("&Base de données\u00a0:"), m_database);
    serverForm->addRow(QStringLiteral("&Chiffrement (TLS)\u00a0:"), m_sslmode);
    serverForm->addRow(QStringLiteral("&Rôle des élèves\u00a0:"), m_role);
    serverForm->addRow(QStringLiteral("&Mot de passe des élèves\u00a0:"), m_password);
    auto *given =
        new QLabel(QStringLiteral("Ces réglages sont donnés par l'administrateur de l'école."), serverBox);
    given->setWordWrap(true);
    serverForm->addRow(given);
    layout->addWidget(serverBox);

    m_warning = new QLabel(this);
    m_warning->setObjectName(QStringLiteral("AvertissementChiffrement"));
    m_warning->setWordWrap(true);
    layout->addWidget(m_warning);

    m_joinBox = new QGroupBox(QStringLiteral("Rejoindre la classe"), this);
    m_joinBox->setObjectName(QStringLiteral("RejoindreClasse"));
    auto *joinForm = new QFormLayout(m_joinBox);
    m_classCode = field(m_joinBox, "CodeClasse");
    m_personalCode = field(m_joinBox, "CodePersonnel");
    joinForm->addRow(QStringLiteral("Code de la c&lasse\u00a0:"), m_classCode);
    joinForm->addRow(QStringLiteral("Code p&ersonnel\u00a0:"), m_personalCode);
    auto *card = new QLabel(
        QStringLiteral("Les deux codes sont sur la carte remise par l'enseignant. Le code personnel "
                       "n'est tapé qu'une fois sur ce poste, et jamais enregistré."),
        m_joinBox);
    card->setWordWrap(true);
    joinForm->addRow(card);
    m_join = button(m_joinBox, "Rejoindre1", QStringLiteral("Re&joindre"));
    joinForm->addRow(m_join);
    layout->addWidget(m_joinBox);

    m_linkBox = new QGroupBox(QStringLiteral("Lien avec la classe"), this);
    m_linkBox->setObjectName(QStringLiteral("LienClasse"));
    auto *linkLayout = new QVBoxLayout(m_linkBox);
    m_linkText = new QLabel(m_linkBox);
    m_linkText->setObjectName(QStringLiteral("EtatLien"));
    m_linkText->setWordWrap(true);
    linkLayout->addWidget(m_linkText);
    auto *leave = button(m_linkBox, "Quitterlaclasse1", QStringLiteral("&Quitter la classe"));
    linkLayout->addWidget(leave, 0, Qt::AlignLeft);
    layout->addWidget(m_linkBox);

    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("MessageClasse"));
    m_message->setWordWrap(true);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_message);

    auto *bottom = new QHBoxLayout;
    auto *teacher = button(this, "Enseignant1", QStringLiteral("Se connecter comme e&nseignant"));
    bottom->addWidget(teacher);
    bottom->addStretch();
    auto *close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    close->button(QDialogButtonBox::Close)->setText(QStringLiteral("&Fermer"));
    close->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("Fermer1"));
    close->button(QDialogButtonBox::Close)->setAutoDefault(false);
    bottom->addWidget(close);
    layout->addLayout(bottom);

    const ClassServer server = m_link ? m_link->server : keptServer();
    m_host->setText(server.host);
    m_port->setValue(server.port);
    m_database->setText(server.database);
    m_sslmode->setCurrentIndex(qMax(0, m_sslmode->findData(server.sslmode)));
    m_role->setText(server.user);
    m_password->setText(server.password);

    connect(m_join, &QPushButton::clicked, this, &DialogueClasse::Rejoindre1Click);
    connect(leave, &QPushButton::clicked, this, &DialogueClasse::Quitterlaclasse1Click);
    connect(teacher, &QPushButton::clicked, this, &DialogueClasse::Enseignant1Click);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_host, &QLineEdit::textChanged, this, &DialogueClasse::showWarning);
    connect(m_sslmode, &QComboBox::currentIndexChanged, this, &DialogueClasse::showWarning);
    showLink();
    showWarning();
}

DialogueClasse::~DialogueClasse()
{
    dropSender(false);
}

ClassServer DialogueClasse::server() const
{
    ClassServer server;
    server.host = m_host->text().trimmed();
    server.port = m_port->value();
    server.database = m_database->text().trimmed();
    server.sslmode = m_sslmode->currentData().toString();
    server.user = m_role->text().trimmed();
    server.password = m_password->text();
    return server;
}

void DialogueClasse::showWarning()
{
    const QString warning = unencryptedWarning(server());
    m_warning->setText(warning);
    m_warning->setVisible(!warning.isEmpty());
}

void DialogueClasse::showLink()
{
    const bool linked = m_link.has_value();
    const bool live = linked && !m_link->cut;
    // A link belongs to its server: its settings change with a new join only.
    for (QWidget *w :
         std::initializer_list<QWidget *>{m_host, m_port, m_database, m_sslmode, m_role, m_password})
        w->setEnabled(!live && !joining());
    m_joinBox->setVisible(!live);
    m_join->setEnabled(!joining());
    // Entrée in a code joins rather than closes.
    m_join->setDefault(!live);
    m_linkBox->setVisible(linked);
    if (!linked)
        return;
    m_linkText->setText(
        live ? QStringLiteral("Ce poste est relié à la classe «\u00a0%1\u00a0» pour %2. Les séances y sont "
                              "envoyées à la fin de chaque leçon.")
                   .arg(m_link->className, m_link->pupilName)
             : QStringLiteral("Classe «\u00a0%1\u00a0», %2\u00a0: ")
                       .arg(m_link->className, m_link->pupilName) +
                   sentence(failureMessage(Failure::Unlinked, m_link->server)));
}

void DialogueClasse::Rejoindre1Click()
{
    if (joining())
        return;
    m_joinServer = server();
    keepServer(m_joinServer);
    m_sender = new ClassSender(m_joinServer, this);
    connect(m_sender, &ClassSender::joined, this, &DialogueClasse::joined);
    connect(m_sender, &ClassSender::joinFailed, this,
            [this](Failure, const QString &message) { joinFailed(message); });
    m_message->setText(QStringLiteral("Connexion au serveur de la classe…"));
    m_sender->join(m_classCode->text(), m_personalCode->text());
    showLink();
}

void DialogueClasse::joined(const ClassLink &link)
{
    dropSender(true);
    m_link = keepLink(m_joinServer, link, m_now());
    m_personalCode->clear();
    m_classCode->clear();
    m_message->setText(QStringLiteral("Bienvenue dans la classe «\u00a0%1\u00a0», %2\u00a0!")
                           .arg(link.className, link.pupilName));
    showLink();
    emit linkChanged();
}

void DialogueClasse::joinFailed(const QString &message)
{
    dropSender(true);
    m_message->setText(sentence(message));
    showLink();
}

void DialogueClasse::dropSender(bool answered)
{
    if (!m_sender)
        return;
    ClassSender *sender = std::exchange(m_sender, nullptr);
    sender->disconnect(this);
    if (answered) {
        sender->deleteLater();
        return;
    }
    // A join still under way ends on its thread rather than keep the
    // dialog from closing; its answer goes nowhere.
    sender->setParent(nullptr);
    connect(sender, &ClassSender::joined, sender, &QObject::deleteLater);
    connect(sender, &ClassSender::joinFailed, sender, &QObject::deleteLater);
}

void DialogueClasse::Quitterlaclasse1Click()
{
    if (!m_link)
        return;
    if (!ui::prompter().confirm(
            this,
            QStringLiteral(
                "Quitter la classe «\u00a0%1\u00a0»\u00a0? Les séances de ce poste n'y seront plus "
                "envoyées\u00a0; celles déjà envoyées restent chez l'enseignant. Pour revenir, il "
                "faudra de nouveau le code personnel.")
                .arg(m_link->className),
            QStringLiteral("Quitter la classe")))
        return;
    forgetLink();
    m_link.reset();
    m_message->setText(QStringLiteral("Ce poste ne fait plus partie de la classe."));
    showLink();
    emit linkChanged();
}

void DialogueClasse::Enseignant1Click()
{
    keepServer(server());
    m_teacherAsked = true;
    accept();
}

} // namespace classe
