// About box and splash window.
#include "app/taboutbox.h"

#include "ui/pictures.h"
#include "ui/platform.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace {
QFont pixelFont(const char *family, int pixels, bool bold = false)
{
    QFont font{QString::fromLatin1(family)};
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QPixmap picture(QSize size)
{
    return ui::picture(QStringLiteral("tapivox")).pixmap(size);
}
} // namespace

TAboutBox::TAboutBox(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(QStringLiteral("A propos"));
    setFixedSize(329, 218);
    setFont(pixelFont("MS Sans Serif", 11));

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(8, 8, 313, 161);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(8, 8, 57, 65);
    ProgramIcon->setScaledContents(true);
    ProgramIcon->setPixmap(picture(QSize(57, 65)));

    ProductName = new QLabel(QStringLiteral("Tapivox"), Panel1);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    ProductName->setGeometry(88, 16, 200, 20);
    ProductName->setFont(pixelFont("MS Sans Serif", 17, true));

    Version = new QLabel(QStringLiteral("Version 2.0"), Panel1);
    Version->setObjectName(QStringLiteral("Version"));
    Version->setGeometry(88, 48, 200, 20);
    Version->setFont(pixelFont("MS Sans Serif", 17));

    Comments = new QLabel(QStringLiteral("Apprentissage du clavier."), Panel1);
    Comments->setObjectName(QStringLiteral("Comments"));
    Comments->setGeometry(8, 104, 297, 41);
    Comments->setWordWrap(true);
    Comments->setFont(pixelFont("MS Sans Serif", 13));

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(136, 178, 65, 33);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
}

void TAboutBox::OKButtonClick()
{
    accept();
}

TSplash::TSplash()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("TSplash"));
    setFixedSize(318, 221);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Box | QFrame::Raised);
    Panel1->setLineWidth(1);
    Panel1->setMidLineWidth(3);
    Panel1->setGeometry(0, 0, 318, 221);
    Panel1->setAutoFillBackground(true);
    QPalette palette = Panel1->palette();
    palette.setColor(QPalette::Window, QColor(0xF0, 0xF0, 0xF0)); // 15790320
    Panel1->setPalette(palette);

    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(32, 16, 89, 113);
    Image1->setScaledContents(true);
    Image1->setPixmap(picture(QSize(89, 113)));

    Label1 = new QLabel(QStringLiteral("Tapivox"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(144, 48);
    Label1->setFont(pixelFont("Arial", 23, true));
    Label1->adjustSize();

    Label2 = new QLabel(QStringLiteral("Version 2.0"), Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->move(144, 96);
    Label2->setFont(pixelFont("System", 17, true));
    Label2->adjustSize();
}
