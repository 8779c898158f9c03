/* For mingw-w64, which has no <endian.h>: the byte order musl's libm.h asks about. Found only
   where the system has none (the directory is searched after the system's). */
#pragma once
#define __LITTLE_ENDIAN 1234
#define __BIG_ENDIAN 4321
#define __BYTE_ORDER __LITTLE_ENDIAN
