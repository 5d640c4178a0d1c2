// Statistics: 32-bit signed arithmetic, div truncating toward zero.
#include "app/lesson/tstats.h"

#include "ui/int32.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace ui;

StatFigures StatFigures::compute(std::int32_t good, std::int32_t errors, std::int32_t seconds)
{
    StatFigures f;
    const std::int32_t total = add32(good, errors);
    f.total = QString::number(total);
    f.errors = QString::number(errors);
    if (total > 0)
        f.percent = QString::number(div32(mul32(errors, 100), total)) + QStringLiteral(" %");
    if (seconds > 0) {
        f.perMinute = QString::number(div32(mul32(good, 60), seconds));
        f.wordsPerMinute = QString::number(div32(mul32(good, 12), seconds));
    }
    f.duration = QStringLiteral("%1:%2").arg(div32(seconds, 60)).arg(mod32(seconds, 60));
    return f;
}

TStats::TStats(QWidget *parent)
    : DeferredDialog(parent)
{
    setObjectName(QStringLiteral("TStats"));
    setWindowTitle(QStringLiteral("Statistiques"));
    setFixedSize(321, 220);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    setFont(font);
}

void TStats::build()
{
    m_panel1 = new QFrame(this);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_panel1->setGeometry(0, 0, 321, 41);
    m_button1 = new QPushButton(QStringLiteral("Fermer"), m_panel1);
    m_button1->setObjectName(QStringLiteral("Button1"));
    m_button1->setGeometry(232, 8, 75, 25);
    connect(m_button1, &QPushButton::clicked, this, &TStats::Button1Click);

    struct Row
    {
        QLabel *&label;
        const char *labelName;
        const char *caption;
        QLineEdit *&edit;
        const char *editName;
        int top;
    };
    const Row rows[] = {
        {m_label1, "Label1", "Frappe totale", m_edit1, "Edit1", 56},
        {m_label2, "Label2", "Nombre d'erreurs", m_edit2, "Edit2", 80},
        {m_label3, "Label3", "Pourcentage d'erreurs", m_edit3, "Edit3", 104},
        {m_label4, "Label4", "Frappe par minute", m_edit4, "Edit4", 128},
        {m_label6, "Label6", "Mots par minute", m_edit6, "Edit6", 152},
        {m_label5, "Label5", "Durée de la leçon", m_edit5, "Edit5", 176},
    };
    for (const Row &r : rows) {
        r.label = new QLabel(QString::fromUtf8(r.caption), this);
        r.label->setObjectName(QLatin1String(r.labelName));
        r.label->setGeometry(16, r.top + 8, 150, 16);
        r.edit = new QLineEdit(this);
        r.edit->setObjectName(QLatin1String(r.editName));
        r.edit->setReadOnly(true);
        r.edit->setGeometry(176, r.top, 121, 21);
        r.label->setBuddy(r.edit);
    }
}

void TStats::Init(std::int32_t good, std::int32_t errors, std::int32_t seconds)
{
    const StatFigures f = StatFigures::compute(good, errors, seconds);
    Edit1()->setText(f.total);
    Edit2()->setText(f.errors);
    Edit3()->setText(f.percent);
    Edit4()->setText(f.perMinute);
    Edit6()->setText(f.wordsPerMinute);
    Edit5()->setText(f.duration);
}

void TStats::Button1Click()
{
    accept();
}

