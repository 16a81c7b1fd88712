#pragma once
// What the dialogs' rules ask of a dialog window, whichever toolkit draws it: controls are
// named by their template ids, texts are UTF-16.
#include <string>
#include <vector>

namespace ui::shared {

// A list row's texts, one per column.
using Row = std::vector<std::u16string>;

class DialogFace {
public:
    virtual ~DialogFace() = default;

    virtual void Enable(int id, bool enabled) = 0;
    virtual void Show(int id, bool shown) = 0;
    // Check boxes and radio buttons.
    virtual bool Checked(int id) const = 0;
    virtual void Check(int id, bool checked) = 0;
    // Edits and static texts.
    virtual std::u16string Text(int id) const = 0;
    virtual void SetText(int id, const std::u16string& text) = 0;
    // The most characters an edit takes.
    virtual void LimitText(int id, int characters) = 0;

    // Lists: the chosen row (-1 for none), every row replaced, one row removed (no row is
    // chosen afterwards).
    virtual int SelectedRow(int list) const = 0;
    virtual void SetRows(int list, const std::vector<Row>& rows) = 0;
    virtual void RemoveRow(int list, int row) = 0;
};

}  // namespace ui::shared
