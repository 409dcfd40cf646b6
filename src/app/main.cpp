// The OrluPC desktop program.

#include "app/AppIcons.h"
#include "app/CTmApp.h"

#include <QApplication>
#include <QFile>

#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    QApplication qapp(argc, argv); // takes Qt's own options out of the arguments
    QApplication::setApplicationName("OrluPC");
    QApplication::setWindowIcon(orlu::ProgramIcon());

    std::vector<std::string> args;
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        args.push_back(QFile::encodeName(arguments[i]).toStdString());

    orlu::CTmApp app;
    int result = 1;
    if (app.InitInstance(args))
        result = QApplication::exec();
    app.ExitInstance();
    return result;
}
