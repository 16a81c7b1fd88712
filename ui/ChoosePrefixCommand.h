#pragma once
// Option > Choose Prefix...: the found prefixes in the Choose Prefix dialog; the chosen one
// replaces the open prefix once the command has returned (the view that ran it is replaced).
namespace ui {

void RunChoosePrefixCommand();

}  // namespace ui
