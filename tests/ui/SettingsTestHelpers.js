// SPDX-License-Identifier: GPL-3.0-or-later
.pragma library

// Every descendant of `item` (visual children) whose objectName is `name`, in tree order.
function findAll(item, name, visibleOnly) {
    let found = []
    const children = item.children || []
    for (let i = 0; i < children.length; ++i) {
        const child = children[i]
        if (visibleOnly && !child.visible)
            continue
        if (child.objectName === name)
            found.push(child)
        found = found.concat(findAll(child, name, visibleOnly))
    }
    return found
}
