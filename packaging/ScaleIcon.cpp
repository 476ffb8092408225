// Build tool: enlarges a pixel-art icon by a whole factor, every pixel becoming a square block, so
// that desktops which want a larger icon than 32 x 32 get sharp pixels instead of a blur.
//   ScaleIcon <in.png> <out.png> <factor>

#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: ScaleIcon <in.png> <out.png> <factor>\n");
        return 2;
    }
    const QString in = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    bool isNumber = false;
    const int factor = QString::fromLocal8Bit(argv[3]).toInt(&isNumber);
    if (!isNumber || factor < 1 || factor > 64) {
        std::fprintf(stderr, "ScaleIcon: the factor must be a whole number from 1 to 64, not %s\n", argv[3]);
        return 2;
    }
    const QImage icon(in);
    if (icon.isNull()) {
        std::fprintf(stderr, "ScaleIcon: cannot read %s\n", argv[1]);
        return 1;
    }
    const QImage larger = icon.scaled(icon.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (!larger.save(out, "PNG")) {
        std::fprintf(stderr, "ScaleIcon: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
