// Draws Halvorn's interface art: every picture under qml/images comes from here, so a change of
// palette or stroke is one edit. Run `make art` to rebuild them.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>

#include <cstdio>

namespace {

namespace Palette {
const QColor window("#555555");
const QColor raised("#6e6c69");
const QColor light("#fdfdfd");
const QColor accent("#f0a030");
} // namespace Palette

QImage canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The application icon: a rounded dark tile with a short waveform turning into an amber arrow.
QImage appIcon(int size)
{
    QImage image = canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const QRectF tile(s * 0.04, s * 0.04, s * 0.92, s * 0.92);
    p.setPen(Qt::NoPen);
    p.setBrush(Palette::raised);
    p.drawRoundedRect(tile, s * 0.2, s * 0.2);
    p.setBrush(Palette::window);
    p.drawRoundedRect(tile.adjusted(0, s * 0.03, 0, 0), s * 0.2, s * 0.2);

    p.setBrush(Palette::light);
    const qreal bar = s * 0.075;
    const qreal heights[] = {0.22, 0.42, 0.30};
    for (int i = 0; i < 3; ++i) {
        const qreal h = s * heights[i];
        p.drawRoundedRect(QRectF(s * (0.18 + i * 0.12), s * 0.5 - h / 2, bar, h), bar / 2, bar / 2);
    }
    QPainterPath arrow;
    arrow.moveTo(s * 0.56, s * 0.27);
    arrow.lineTo(s * 0.84, s * 0.50);
    arrow.lineTo(s * 0.56, s * 0.73);
    arrow.closeSubpath();
    p.setBrush(Palette::accent);
    p.drawPath(arrow);
    return image;
}

QByteArray png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// An icon file holding one picture per size, each stored as PNG (the ICO format allows that
// since 2006, and Qt reads it).
bool writeIco(const QString& path, const QList<QImage>& images)
{
    QByteArray ico;
    auto put16 = [&ico](quint16 value) { ico.append(char(value & 0xff)).append(char(value >> 8)); };
    auto put32 = [&](quint32 value) { put16(quint16(value & 0xffff)); put16(quint16(value >> 16)); };
    put16(0);
    put16(1);
    put16(quint16(images.size()));
    QList<QByteArray> pictures;
    quint32 offset = 6 + 16 * quint32(images.size());
    for (const QImage& image : images) {
        pictures.append(png(image));
        ico.append(char(image.width() >= 256 ? 0 : image.width()));
        ico.append(char(image.height() >= 256 ? 0 : image.height()));
        ico.append(char(0)).append(char(0));
        put16(1);
        put16(32);
        put32(quint32(pictures.last().size()));
        put32(offset);
        offset += quint32(pictures.last().size());
    }
    for (const QByteArray& picture : pictures)
        ico.append(picture);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(ico) == ico.size();
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: artgen IMAGES_FOLDER\n");
        return 2;
    }
    const QDir images(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(images.path());
    bool ok = writeIco(images.filePath("icon.ico"), {appIcon(16), appIcon(32), appIcon(48), appIcon(256)});
    ok = appIcon(256).save(images.filePath("icon.png")) && ok;
    if (!ok) {
        std::fprintf(stderr, "artgen: could not write all pictures into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
