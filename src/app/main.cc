#include "app/run.h"
#include "app/utf8_console.h"

int main(int argc, char* argv[]) {
  Utf8Console console(argc, argv);
  return run(console.argumentCount(), console.argumentVector());
}
