#pragma once
#include <QApplication>
#include <QIcon>

// The application object: one title for the program and its error boxes,
// the program's icon, the fonts the layouts name, and one place where an
// error leaving any handler is caught and shown (Qt lets no exception pass
// through its event loop).
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    static void setTitle(const QString& title);
    static QString title();

    bool notify(QObject* receiver, QEvent* event) override;
};

// A face at a size in pixels, so that a layout measured in pixels keeps
// its proportions whatever the screen's resolution.
QFont pixelFont(const QString& family, int pixels, bool bold = false);
// Every window's own font: Tahoma, 11 px.
QFont windowFont();

// Arial Black with the given character height. A stand-in face is sized so
// that its capitals are as high and as wide as Arial Black's.
QFont arialBlack(int pixels);

// The space to leave above a text in `face`, a face from arialBlack(pixels),
// so that its capitals start as far below the top of their box as Arial
// Black's do (its ascent less its capitals: 0.385 of the character height).
int arialBlackDrop(const QFont& face, int pixels);

// Registers the look-alike fonts shipped by Debian and maps the design's
// font names onto installed families. Safe to call more than once.
void installFonts();
