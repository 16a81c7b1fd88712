#pragma once
// The program's document holds nothing: the view owns everything a scan produces.
class CDrennowDoc {};
