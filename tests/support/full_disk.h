// A disk that fills up: while a FullDisk lives, every write that would take a
// file of this process past `bytes` fails as on a full disk (the operating
// system's file-size limit; its signal is ignored, so the write returns an
// error instead). Files already larger stay as they are and can be read.
#pragma once
#include <sys/resource.h>

#include <csignal>

namespace testsupport {

class FullDisk {
 public:
  explicit FullDisk(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FullDisk() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_);
  }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;

 private:
  rlimit saved_{};
  void (*previous_)(int) = nullptr;
};

}  // namespace testsupport
