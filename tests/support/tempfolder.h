// A fresh temporary program folder for one test case, removed when the case ends.
#pragma once

#include <QTemporaryDir>

class TempProgramFolder {
public:
    TempProgramFolder();  // creates the folder and makes it the program folder
    ~TempProgramFolder(); // closes the engine's connection and restores the default folder
    QString path() const; // with trailing separator
    QString file(const QString &name) const { return path() + name; }

private:
    QTemporaryDir dir;
};
