// Placeholder until the hook library exists.
#include <windows.h>
