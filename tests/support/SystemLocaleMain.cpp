// The program runs in the system's locale (QApplication sets it), so the C library's messages
// in its failures come in the user's language. The tests run the same way.
#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
