#pragma once

class QWidget;

// Shows a top-level window, modeless, centred on the primary screen.
void showCentred(QWidget *window);
