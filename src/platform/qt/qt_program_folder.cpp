#include "qt_program_folder.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace tessaly {

QtProgramFolder::QtProgramFolder()
    : path_(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString()) {}

bool QtProgramFolder::PathExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

bool QtProgramFolder::IsNormalFile(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    const std::size_t slash = path.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    // A name that starts with a dot is a hidden file here.
    return nameStart < path.size() && path[nameStart] != '.';
}

}  // namespace tessaly
