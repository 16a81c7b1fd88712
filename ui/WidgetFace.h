#pragma once
// The shared dialogs' rules acting on Qt widgets, found by their template ids.
#include <QRect>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/res/Layouts.h"
#include "ui/shared/DialogFace.h"

class QWidget;

namespace ui {

QRect PixelRect(const res::Place& place);
// Puts each control of the template that `control` finds at its place in pixels.
void PlaceControls(const res::DialogTemplate& dialog, const std::function<QWidget*(int)>& control);

namespace widget_face {
void Enable(QWidget* control, bool enabled);
void Show(QWidget* control, bool shown);
bool Checked(const QWidget* control);
void Check(QWidget* control, bool checked);
std::u16string Text(const QWidget* control);
void SetText(QWidget* control, const std::u16string& text);
void LimitText(QWidget* control, int characters);
// Lists are QTreeWidgets; a column's texts take the alignment of its header.
int SelectedRow(const QWidget* list);
void SetRows(QWidget* list, const std::vector<shared::Row>& rows);
void RemoveRow(QWidget* list, int row);
}  // namespace widget_face

// `Interface` is shared::DialogFace or a dialog's face derived from it.
template <class Interface = shared::DialogFace>
class WidgetFace : public Interface {
public:
    explicit WidgetFace(std::function<QWidget*(int)> control) : control_(std::move(control)) {}

    void Enable(int id, bool enabled) override { widget_face::Enable(control_(id), enabled); }
    void Show(int id, bool shown) override { widget_face::Show(control_(id), shown); }
    bool Checked(int id) const override { return widget_face::Checked(control_(id)); }
    void Check(int id, bool checked) override { widget_face::Check(control_(id), checked); }
    std::u16string Text(int id) const override { return widget_face::Text(control_(id)); }
    void SetText(int id, const std::u16string& text) override {
        widget_face::SetText(control_(id), text);
    }
    void LimitText(int id, int characters) override {
        widget_face::LimitText(control_(id), characters);
    }
    int SelectedRow(int list) const override { return widget_face::SelectedRow(control_(list)); }
    void SetRows(int list, const std::vector<shared::Row>& rows) override {
        widget_face::SetRows(control_(list), rows);
    }
    void RemoveRow(int list, int row) override { widget_face::RemoveRow(control_(list), row); }

private:
    std::function<QWidget*(int)> control_;
};

}  // namespace ui
