#pragma once

#include <QString>

class QGuiApplication;

// What every run of the program sets before its first window: the application's name (for its
// settings folders), the Russian locale, and Qt's own texts in Russian (the buttons of message
// boxes, the file dialogs, the edit fields' context menus). No display name is set: the window
// system would append it to every title, and the titles are exactly the program's captions.
void SetUpApplication(QGuiApplication& app);

// The caption of the program's message boxes.
QString ApplicationTitle();
