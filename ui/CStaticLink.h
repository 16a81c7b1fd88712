#pragma once
// A text label that can look and behave like a link: one of six font variants, a colour, an
// alignment, and the hand cursor while the mouse is over it when the link is active.
#include <QColor>
#include <QFont>
#include <QWidget>
#include <array>
#include <optional>

class CStaticLink : public QWidget {
    Q_OBJECT
public:
    // Text alignment values (TA_LEFT, TA_CENTER, TA_RIGHT).
    static constexpr int kAlignLeft = 0;
    static constexpr int kAlignCentre = 6;
    static constexpr int kAlignRight = 2;

    explicit CStaticLink(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return text_; }

    // The text colour; shown at the next repaint.
    void SetColor(const QColor& colour);
    // Rebuilds the six variants from `font` (none when null): 0 as given, 1 underlined,
    // 2 weight 800, 3 italic, 4 weight 800 underlined, 5 italic underlined. Alignment code
    // 0 left, 1 centre, 2 right; any other code keeps the current alignment. Repaints.
    void SetFontStyle(const QFont* font, int variant, int alignmentCode);

    // While active, the hand cursor shows over the label, and a notifying label is a Tab stop
    // that Space or Enter clicks. Deactivating while the hand shows puts the arrow back, so
    // an inactive label never keeps the hand.
    void SetLinkActive(bool active);
    bool LinkActive() const { return linkActive_; }
    bool HandShown() const { return handShown_; }

    // Whether a click is reported (the static control's notify style).
    void SetNotify(bool notify) { notify_ = notify; }

    QColor Colour() const { return colour_; }
    int TextAlignment() const { return textAlignment_; }
    int FontVariant() const { return variant_; }
    // The font of a variant, or null when none was built.
    const QFont* VariantFont(int variant) const;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString text_;
    int variant_ = 0;
    QColor colour_ = Qt::black;
    int textAlignment_ = kAlignLeft;
    std::array<std::optional<QFont>, 6> fonts_;
    bool linkActive_ = false;
    bool handShown_ = false;
    bool notify_ = false;
};
