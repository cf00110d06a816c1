#pragma once

namespace tkd {

// Without TZ, glibc looks at /etc/localtime again on every local-time conversion: a file
// system call for each date read from the database. Naming the file once lets it cache the
// zone. Call before anything converts times; a TZ already set is left alone.
void pinLocalTimeZone();

} // namespace tkd
