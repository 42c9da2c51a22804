// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <csignal>
#include <sys/resource.h>

namespace tessel::testing {

// While it lives, files may grow to `bytes` only: a write beyond fails with EFBIG, as on a full
// disk, without a real full disk or device.
class FileSizeLimit {
public:
    explicit FileSizeLimit(int bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_before);
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_before;
        limit.rlim_cur = bytes > 0 ? rlim_t(bytes) : RLIM_INFINITY;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &m_before); }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_before{};
};

} // namespace tessel::testing
