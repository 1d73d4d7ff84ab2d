#pragma once
// The window builds and binds its controls from the parameter catalogue of the parameter model.

#include "params/catalogue_tables.h"
#include "ui/catalogue/catalogue_types.h"
