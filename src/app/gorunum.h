#pragma once
// The program's built-in look: one style and palette for every window.

class QApplication;

void GorunumUygula(QApplication& app);
