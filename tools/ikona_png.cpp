// Converts one of the program's icon bitmaps to PNG, the format of the
// desktop's icon themes. Run by the build: zm_ikona_png <in.bmp> <out.png>
#include <cstdio>
#include <QImage>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: zm_ikona_png <in.bmp> <out.png>\n");
        return 2;
    }
    const QImage obraz(QString::fromLocal8Bit(argv[1]));
    if (obraz.isNull()) {
        std::fprintf(stderr, "zm_ikona_png: cannot read %s\n", argv[1]);
        return 1;
    }
    if (!obraz.convertToFormat(QImage::Format_RGB888).save(QString::fromLocal8Bit(argv[2]), "PNG", 0)) {
        std::fprintf(stderr, "zm_ikona_png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
