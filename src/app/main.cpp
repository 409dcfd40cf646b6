// The OrluPC desktop program.

#include "app/AppIcons.h"
#include "app/CTmApp.h"
#include "presentation/StartupRules.h"

#include <QApplication>
#include <QFile>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    // The usage needs no window, nor a display to open one.
    if (orlu::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc)).help) {
        std::cout << orlu::CommandLineUsage();
        return 0;
    }

    QApplication qapp(argc, argv); // takes Qt's own options out of the arguments
    QApplication::setApplicationName("OrluPC");
    QApplication::setWindowIcon(orlu::ProgramIcon());

    std::vector<std::string> args;
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        args.push_back(QFile::encodeName(arguments[i]).toStdString());

    orlu::CTmApp app;
    return app.Run(args);
}
