/* Included before every musl source file of the library, in place of musl's own internal
   <features.h> (which would displace the system's): musl's visibility marker becomes the
   library's default, hidden on Linux, where the library ends up inside the add-in's shared
   object. The functions get names of their own afterwards (CMakeLists.txt). */
#define hidden
