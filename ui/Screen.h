#pragma once

#include <QMainWindow>

// Base of the two main screens (the main input screen and the result screen).
// A close by the user ends the program; a close the program makes itself
// while switching between the screens ends nothing.
class Screen : public QMainWindow {
    Q_OBJECT
public:
    explicit Screen(QWidget *parent = nullptr);

    // Closes (and deletes) the screen as the program's own step.
    void closeByProgram();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    bool closingByProgram = false;
};

// Closes every open screen and stops the program's event loop.
void EndProgram();
