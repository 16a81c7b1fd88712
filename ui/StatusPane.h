#pragma once
// The status bar's message pane: it keeps its whole text (the tooltip shows it too) and shows
// as much as fits. One part of it, the prefix folder, gives way first: it is shortened in the
// middle, so that what follows it (a warning) still shows in a narrow window; then the text
// before it goes; only then is the end cut.
#include <QLabel>
#include <QString>

class QFontMetrics;

namespace ui {

class StatusPane : public QLabel {
    Q_OBJECT
public:
    explicit StatusPane(const QString& text, QWidget* parent = nullptr);

    // The part of the text that is shortened first; empty for none.
    void SetElidable(const QString& part);
    // What the pane shows at its present width.
    QString ShownText() const;
    // `text` fitted into `width` pixels of `metrics` by the rule above.
    static QString Fit(const QString& text, const QString& elidable, const QFontMetrics& metrics,
                       int width);

    // A long text must not make the window wider: the pane takes what the bar leaves it.
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString elidable_;
};

}  // namespace ui
