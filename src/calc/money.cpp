#include "calc/money.h"
