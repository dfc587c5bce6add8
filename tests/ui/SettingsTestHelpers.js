.pragma library

// Item colours keep 8 bits a channel, the palette more.
function sameColor(a, b) {
    const step = 1.5 / 255
    return Math.abs(a.r - b.r) < step && Math.abs(a.g - b.g) < step
            && Math.abs(a.b - b.b) < step && Math.abs(a.a - b.a) < step
}

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
