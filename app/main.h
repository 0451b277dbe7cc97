#ifndef VORPEN_MAIN_H
#define VORPEN_MAIN_H

#include <QString>

// Each translation unit that includes this header holds its own copy of these constants.
static const QString os_pathsep = QStringLiteral("/");
static const QString os_vorpen = QStringLiteral(".vorpenrc7000");
static const QString os_outputExtension = QStringLiteral(".scr");
static const QString os_zelExec = QStringLiteral("ZELMORA_TQ");
static const QString os_dpExec = QStringLiteral("DP_ZELMORA.sh");
static const QString os_defaultExtension = QStringLiteral("dri");
static const QString allFileExtensions = QStringLiteral("*_dri.txt *_dri *_in.txt *.in *.dri");
static const QString appName = QStringLiteral("Vorpen");
static const QString appVersion = QStringLiteral("7.000");
static const QString defaultSyntax = QStringLiteral("ZEL_Syntax_7-0.xml");
static const QString syntax64 = QStringLiteral("ZEL_Syntax_6-4.xml");

#endif
