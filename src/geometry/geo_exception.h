#pragma once

// Thrown by the strict geometric conversions on a value of the wrong shape.
class xGeo {};
