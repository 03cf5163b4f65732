#include "platform/comm/SerialPort.h"

// termios2 lives in the kernel's headers, which clash with glibc's <termios.h>: use only these.
#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace velklink {

int OpenSerialPort(const std::string& path, int baud) {
    if (path.empty() || baud <= 0) return -1;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    struct termios2 tio {};
    if (::ioctl(fd, TCGETS2, &tio) != 0) {
        ::close(fd);
        return -1;
    }
    // Raw mode: no echo, no line editing, no character translation, no signals.
    tio.c_iflag &= ~tcflag_t(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY);
    tio.c_oflag &= ~tcflag_t(OPOST);
    tio.c_lflag &= ~tcflag_t(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag &= ~tcflag_t(CSIZE | PARENB | CSTOPB | CRTSCTS | CBAUD | (CBAUD << IBSHIFT));
    tio.c_cflag |= CS8 | CREAD | CLOCAL | BOTHER | (BOTHER << IBSHIFT);
    tio.c_ispeed = static_cast<speed_t>(baud);
    tio.c_ospeed = static_cast<speed_t>(baud);
    tio.c_cc[VMIN] = 1; // with O_NONBLOCK an empty line reads as EAGAIN, not as end of file
    tio.c_cc[VTIME] = 0;
    if (::ioctl(fd, TCSETS2, &tio) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace velklink
