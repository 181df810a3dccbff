#include "update/update_timings.h"

UpdateTimings &updateTimings()
{
    static UpdateTimings timings;
    return timings;
}
