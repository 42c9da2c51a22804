// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QStringList>

namespace tessel {

// The profile files opened or saved last, newest first, kept in the user's settings so that
// the next run offers them too.
class RecentProfiles {
public:
    static constexpr int kKept = 8;

    [[nodiscard]] QStringList files() const;
    // `path` goes to the front (once); the oldest beyond kKept is forgotten.
    void add(const QString &path);
    void remove(const QString &path);

private:
    void store(const QStringList &files);
};

} // namespace tessel
