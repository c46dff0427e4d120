#include <cstdio>

int main() {
  std::fputs("trimmel32 table target_file backup_file\n", stdout);
  return -1;
}
