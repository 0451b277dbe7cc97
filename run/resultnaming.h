#ifndef VORPEN_RESULTNAMING_H
#define VORPEN_RESULTNAMING_H

#include <QString>
#include <QStringList>

// Naming rules of the files a simulation leaves in its result directory.
namespace ResultNaming {

// Result files of simulation simName in resultDir, sorted by type; empty when the directory is
// missing. Of the VTK fields only one plain and one gzipped file stand for all of them.
QStringList list(const QString &resultDir, const QString &simName);

// True for text results that an output page can show; the others are field results.
bool isDisplayable(const QString &fileName);

// Name of the result entry for a listed file: VTK fields become a pattern with "...." in place
// of the field name (Test_phas.vtk.gz gives Test_....vtk.gz).
QString entryName(const QString &fileName);

// Check box text of an entry: the name without simName, ".zrc", ".txt", "_" and ".".
QString entryLabel(const QString &entryName, const QString &simName);

// File handed to the display tool for an entry: for VTK patterns the first file of resultDir in
// name order that matches, empty when none does; otherwise the entry's own name.
QString displayFile(const QString &resultDir, const QString &entryName);

} // namespace ResultNaming

#endif
