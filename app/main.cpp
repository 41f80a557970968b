#include "platform/win_app.h"

int main(int argc, char* argv[]) { return varnolix::AfxWinMain(argc, argv); }
