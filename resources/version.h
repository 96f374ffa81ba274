// The one place that holds the program's version.
#pragma once

#define VIREO_VERSION_MAJOR 1
#define VIREO_VERSION_MINOR 0
#define VIREO_VERSION_PATCH 0
#define VIREO_VERSION_TEXT "1.00"
