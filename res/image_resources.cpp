// The pictures in images/ reach the programs as Qt resources that
// qt_add_resources attaches to corvellan_res_images; a static library needs a
// source of its own to exist, and this is it.
