#pragma once

// Components alive in the process, for finding what an opened and closed
// screen leaves behind.
int LiveComponentCount();
