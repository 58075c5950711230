// Another running copy of the program, as far as its settings go: works on
// the settings file named by its one argument and takes one command a line
// from its input, answering "ok" once the command is done:
//   begin                 opens a batch of changes
//   end                   ends the batch (the changes are written)
//   create KEY            creates a key
//   set KEY NAME VALUE    stores a text value
#include "platform/settings/RegistryFile.h"

#include <QCoreApplication>
#include <QStringList>

#include <iostream>
#include <memory>
#include <string>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: settings_copy SETTINGS-FILE\n";
        return 2;
    }
    ardl::RegistryFile store(QString::fromLocal8Bit(argv[1]));
    std::unique_ptr<ardl::RegistryFile::Batch> batch;
    std::string line;
    while (std::getline(std::cin, line)) {
        const QStringList words = QString::fromStdString(line).split(u' ', Qt::SkipEmptyParts);
        const QString command = words.value(0);
        if (command == QLatin1String("begin") && !batch)
            batch = std::make_unique<ardl::RegistryFile::Batch>(store);
        else if (command == QLatin1String("end"))
            batch.reset();
        else if (command == QLatin1String("create") && words.size() == 2)
            store.createKey(words[1]);
        else if (command == QLatin1String("set") && words.size() == 4)
            store.setValue(words[1], words[2], ardl::RegValue::text(words[3]));
        else {
            std::cout << "bad command: " << line << std::endl;
            continue;
        }
        std::cout << "ok" << std::endl;
    }
    return 0;
}
