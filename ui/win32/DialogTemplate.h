#pragma once
// A dialog template (DLGTEMPLATEEX) built in memory from one of ui/res/Layouts.h's tables,
// for DialogBoxIndirectParam and CreateDialogIndirectParam: the dialog manager then places
// the controls in dialog units of the template's font, "MS Shell Dlg" 8 pt.
#include <windows.h>

#include <vector>

#include "ui/res/Layouts.h"

namespace ui::win32 {

class DialogTemplate {
public:
    explicit DialogTemplate(const res::DialogTemplate& layout);
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void Word(WORD value) { words_.push_back(value); }
    void Long(DWORD value) {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void Text(const char* text);
    void AlignToLong() {
        if (words_.size() % 2) Word(0);
    }

    std::vector<WORD> words_;
};

}  // namespace ui::win32
