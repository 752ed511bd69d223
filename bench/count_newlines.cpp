// The floor for reading a folder of data files: reads each file named on the command line in
// 1 MiB blocks and counts its line feeds, as a plain C loop would. Prints the total.

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <vector>

int main(int argc, char** argv) {
  std::vector<char> buffer(1 << 20);
  long long lines = 0;
  for (int i = 1; i < argc; ++i) {
    int fd = open(argv[i], O_RDONLY);
    if (fd < 0) {
      std::perror(argv[i]);
      return 1;
    }
    for (ssize_t n; (n = read(fd, buffer.data(), buffer.size())) > 0;) {
      const char* p = buffer.data();
      const char* end = p + n;
      while ((p = static_cast<const char*>(std::memchr(p, '\n', end - p)))) {
        ++lines;
        ++p;
      }
    }
    close(fd);
  }
  std::printf("%lld\n", lines);
  return 0;
}
