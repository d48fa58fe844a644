#include "app/run_sequence.h"

int main(int argc, char** argv) { return dedup::run_command_line(argc, argv); }
