#pragma once
// A disk that fills up: while one of these lives, no file that this process
// writes can grow past `bytes` bytes (the process's file size limit), and a
// write past that point fails as it fails on a full disk. Files already
// larger stay as they are. The limit goes when the object goes.

#include <QtGlobal>

#include <csignal>
#include <sys/resource.h>

class DiscoLleno {
public:
    explicit DiscoLleno(qint64 bytes) {
        // Without this, the system ends the process at the first write past
        // the limit instead of failing the write.
        anterior_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &limite_);
        rlimit lleno = limite_;
        lleno.rlim_cur = static_cast<rlim_t>(bytes);
        setrlimit(RLIMIT_FSIZE, &lleno);
    }
    ~DiscoLleno() {
        setrlimit(RLIMIT_FSIZE, &limite_);
        std::signal(SIGXFSZ, anterior_);
    }
    DiscoLleno(const DiscoLleno&) = delete;
    DiscoLleno& operator=(const DiscoLleno&) = delete;

private:
    rlimit limite_{};
    void (*anterior_)(int) = SIG_DFL;
};
