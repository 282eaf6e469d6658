#pragma once

#include <initializer_list>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace hoardly::test {

// Root ignores file modes; without these capabilities the test process obeys them like any
// user, so a write-protected file or folder is write-protected for the test too.
inline void obeyFileModes() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0)
        return;
    for (const int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER}) {
        data[capability / 32].effective &= ~(1u << (capability % 32));
        data[capability / 32].permitted &= ~(1u << (capability % 32));
    }
    syscall(SYS_capset, &header, data);
}

} // namespace hoardly::test
