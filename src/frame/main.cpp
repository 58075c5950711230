#include "Main.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tolvern"));
    QApplication::setApplicationName(QStringLiteral("ARDL"));
    return ardl::Main();
}
