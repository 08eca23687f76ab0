#pragma once
// The icon click callback takes its one argument in EAX (the host's register
// convention). On 64-bit Windows there is only one convention.
#if defined(__i386__)
#define OW_REGISTER_CALL __attribute__((regparm(1)))
#else
#define OW_REGISTER_CALL
#endif
