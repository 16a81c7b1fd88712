#pragma once
// The program's pictures, built into drennow.exe as the same PNG files the Qt program uses and
// read with GDI+ (a part of every Windows since XP, and of Wine).
#include <windows.h>

#include "ui/win32/Handles.h"

namespace ui::win32 {

// GDI+ from start-up to the end of the program.
class GdiPlusSession {
public:
    GdiPlusSession();
    ~GdiPlusSession();
    GdiPlusSession(const GdiPlusSession&) = delete;
    GdiPlusSession& operator=(const GdiPlusSession&) = delete;

private:
    ULONG_PTR token_ = 0;
};

// Picture `id` (ui/res/bmpNNN_*.png) as a bitmap; empty when it is missing or unreadable.
OwnedBitmap LoadPicture(int id);
// The hand cursor (ui/res/cur137_hand.png, hot spot at the finger's tip); the system's hand
// when the picture cannot be read.
OwnedCursor LoadHandCursor();
// A bitmap's size in pixels (0 x 0 for none).
SIZE BitmapSize(HBITMAP bitmap);

}  // namespace ui::win32
