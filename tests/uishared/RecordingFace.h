#pragma once
// A dialog face for the rules' tests: it keeps what the rules set, and its lists act as list
// views do (a removed row leaves none chosen, after telling the rules the choice went).
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/shared/CleanRestore.h"

namespace uisharedtest {

class RecordingFace : public ui::shared::CleanRestoreFace {
public:
    std::map<int, bool> enabled, shown, checked;
    std::map<int, std::u16string> texts;
    std::map<int, int> limits;
    std::map<int, std::vector<ui::shared::Row>> rows;
    std::map<int, int> selected;
    // Called as a list view notifies its choice changing (also when a row is removed).
    std::function<void(int row)> onChoice;
    // The detail dialogs run: the entries' keys and the damaged lines of each.
    std::vector<std::pair<std::vector<std::string>, int>> details;

    void Enable(int id, bool on) override { enabled[id] = on; }
    void Show(int id, bool on) override { shown[id] = on; }
    bool Checked(int id) const override { return checked.count(id) && checked.at(id); }
    void Check(int id, bool on) override { checked[id] = on; }
    std::u16string Text(int id) const override { return texts.count(id) ? texts.at(id) : u""; }
    void SetText(int id, const std::u16string& text) override { texts[id] = text; }
    void LimitText(int id, int characters) override { limits[id] = characters; }
    int SelectedRow(int list) const override {
        return selected.count(list) ? selected.at(list) : -1;
    }
    void SetRows(int list, const std::vector<ui::shared::Row>& all) override {
        rows[list] = all;
        selected[list] = -1;
    }
    void RemoveRow(int list, int row) override {
        selected[list] = -1;
        if (onChoice) onChoice(-1);
        rows[list].erase(rows[list].begin() + row);
    }
    void RunDetail(const engine::ProblemList& entries, int damagedLines) override {
        std::vector<std::string> keys;
        for (const engine::Problem& entry : entries) keys.push_back(entry.key);
        details.emplace_back(keys, damagedLines);
    }
};

}  // namespace uisharedtest
