// Renders the program icon (SVG) to PNG files of the usual sizes for the
// desktop's icon theme: render_icons <svg> <output folder>.
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QIcon icon(QString::fromLocal8Bit(argv[1]));
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1/%2").arg(QString::fromLocal8Bit(argv[2])).arg(size);
        QDir().mkpath(folder);
        if (!icon.pixmap(size, size).save(folder + QStringLiteral("/tapivox.png")))
            return 1;
    }
    return 0;
}
