#pragma once

#include "survey/profile_load.h"

#include <QString>
#include <QStringList>
#include <variant>
#include <vector>

// The groups that the FILE and DIR operands of a command of many groups make: each DIR is one,
// and the FILEs named from one folder are one together, so that naming a folder's files one
// by one gives what naming the folder gives, and not a group of one per file.
namespace survey {

struct GroupSource {
    QString path;      // the DIR or the single FILE as given; for FILEs, their folder
    QStringList files; // two or more FILEs of one folder, in the order given; else empty
};

// In the order of the operands, a folder's FILEs where the first of them stands. A FILE
// named twice counts once.
std::vector<GroupSource> groupSources(const QStringList &operands);

// Loads a source with the program's key: a DIR or a single FILE as survey::loadProfile does;
// FILEs as one group, all or nothing, coded and described as a folder's.
std::variant<survey::LoadedProfile, survey::GroupError>
loadGroupSource(const GroupSource &source, const survey::ResultFileVisitor &visit = {});

} // namespace survey
