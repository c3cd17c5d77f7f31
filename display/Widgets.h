// The small controls the window is built from: panels with a caption, bevel lines, anchored labels
#pragma once

#include <QFrame>
#include <QLabel>
#include <QWidget>

class QFont;

namespace fendral {

// A box in the window's button colour with an optional lowered inner bevel and a centred caption;
// a click on it is reported.
class Panel : public QFrame {
    Q_OBJECT
public:
    explicit Panel(QWidget* parent, bool loweredBevel = true);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString m_caption;
};

// A lowered line along the left or the right edge of its box.
class Bevel : public QWidget {
public:
    enum class Shape { LeftLine, RightLine };
    Bevel(QWidget* parent, Shape shape, const QRect& geometry);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Shape m_shape;
};

// A label that sizes itself to its text and keeps either its left edge or its right edge in place.
class AnchoredLabel : public QLabel {
    Q_OBJECT
public:
    enum class Anchor { Left, Right };
    AnchoredLabel(QWidget* parent, Anchor anchor, int x, int top, const QFont& font);

    void setCaption(const QString& text);
    // Changes the font and places the caption again on its anchor.
    void setAnchoredFont(const QFont& font);
    // Narrows the font just enough for the caption to take at most room pixels (never below half
    // its width), and gives it back its own width whenever the caption fits.
    void narrowToFit(int room);
    QColor colour() const;
    void setColour(const QColor& colour);
    // The x it is anchored on: its left edge, or the end of its right edge.
    int anchorX() const { return m_x; }
    int anchorTop() const { return m_top; }
    // Moves the anchor and places the caption on it again, as a change of scale does.
    void setAnchor(int x, int top);

signals:
    void captionChanged();

private:
    void place();

    Anchor m_anchor;
    int m_x;
    int m_top;
};

// A square filled with one colour inside a one-pixel black frame.
class ColourShape : public QWidget {
    Q_OBJECT
public:
    ColourShape(QWidget* parent, const QRect& geometry);

    QColor fill() const { return m_fill; }
    void setFill(const QColor& fill);

signals:
    void pressed(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QColor m_fill = Qt::white;
};

// A font of the platform's sans-serif family at a pixel height.
QFont sansFont(int pixelSize, bool bold);

// Gives a widget's text this colour.
void setTextColour(QWidget* widget, const QColor& colour);

} // namespace fendral
