#pragma once
// The engine's host over Qt: pumping hands pending Qt events to their handlers, message boxes
// are QMessageBox with the same texts, captions, buttons and icons, and the wait cursor is the
// application's override cursor. The labels, the wait depth and the view's callbacks are the
// shared host's, so this class knows nothing of the view's widgets.
#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>

#include "engine/Host.h"
#include "ui/shared/ViewHost.h"

class QLabel;
class QMessageBox;

namespace ui {

// A progress label's setter: the text arrives as Windows-1252 bytes.
shared::BufferedLabel::Setter LabelSetter(QLabel* label);

class GuiHost final : public shared::ViewHost {
public:
    explicit GuiHost(QWidget* owner) : owner_(owner) {}
    ~GuiHost() override;

    // The box MessageBox shows: the text, caption, buttons and icon of the call.
    static std::unique_ptr<QMessageBox> BuildMessageBox(const std::string& text,
                                                        const std::string& caption,
                                                        engine::BoxStyle style, QWidget* parent);

    // The answer a QMessageBox standard button gives.
    static engine::Answer AnswerOf(int qtButton);

private:
    void PumpEvents() override;
    engine::Answer ShowMessageBox(const std::string& text, const std::string& caption,
                                  engine::BoxStyle style) override;
    void PushWaitCursor() override;
    void PopWaitCursor() override;

    QPointer<QWidget> owner_;
};

}  // namespace ui
